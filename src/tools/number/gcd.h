// Greatest common divisor and least common multiple of the two boxes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

inline constexpr std::string_view kGcdPrompt = "请输入两个自然数";
inline constexpr std::string_view kGcdCaption = "两数的最大公因数为";
inline constexpr std::string_view kLcmCaption = "两数的最小公倍数为";
inline constexpr std::string_view kLcmRejection = "请输入两个非零的自然数！";

// GCD window: `text1` is the row-2 box Text1, `text2` the row-1 box Text2.
// Sets Label4 (caption) and Label1 (the number); non-positive input changes
// nothing. The working is the short division, Text2's number on the left.
Outcome gcdCalculate(std::string_view text1, std::string_view text2);

// LCM window: Text1 (row 1), Text2 (row 2). Sets Label1 (caption) and Label2.
Outcome lcmCalculate(std::string_view text1, std::string_view text2);

// Two positive numbers divided by their common prime divisors, smallest
// first, until what is left is coprime (短除法): the ladder, and the
// divisors in order. The GCD, LCM and fraction-reduction workings use it.
struct CommonDivision {
    Working ladder;
    std::vector<std::string> divisors;
};
CommonDivision commonDivisionLadder(std::int64_t top, std::int64_t bottom);

// The windows.
std::unique_ptr<WindowModel> makeGcdWindow();  // Form12
std::unique_ptr<WindowModel> makeLcmWindow();  // Form13

}  // namespace kz
