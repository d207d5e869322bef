// Date tools: the days between two dates, and whether a year is a leap year.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

inline constexpr std::string_view kDateHeading = "请输入两组日期";
inline constexpr std::string_view kDateHint = "格式为：“yyyy-mm-dd”";
inline constexpr std::string_view kDateExample = "如：2008-08-08";
inline constexpr std::string_view kDateResultHeading = "以上两组日期之间相差";
inline constexpr std::string_view kDateFormatError = "输入数据的格式有误";
inline constexpr std::string_view kYearPrompt = "请输入一个年份";
inline constexpr std::string_view kLeapYear = "闰年";
inline constexpr std::string_view kCommonYear = "平年";
inline constexpr std::string_view kYearFailure = "发生错误";

// A complete "yyyy-mm-dd" of the proleptic Gregorian calendar, years 0001 to
// 9999 read literally; nullopt for anything else.
std::optional<std::chrono::sys_days> readDate(std::string_view text);

// Days between the dates: sets Label1, Label2, Label3.
Outcome dateDifference(std::string_view text1, std::string_view text2);

// Leap year of the Text1 year (empty reads as year 0): sets Label1.
Outcome leapYear(std::string_view text1);
bool isLeapYear(std::int32_t y);

std::unique_ptr<WindowModel> makeDateDiffWindow();  // Form41
std::unique_ptr<WindowModel> makeLeapYearWindow();  // Form42

}  // namespace kz
