// Statistics of a comma-separated number list, read with the expression
// scanner: mean, mode, median, maximum, minimum, sum and sum of squares.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

inline constexpr std::string_view kFullWidthCommaWarning = "请把中文逗号替换成英文逗号！";
inline constexpr std::string_view kSyntaxErrorText = "语法错误！";
inline constexpr std::string_view kNoModeText = "N/A";
inline constexpr int kStatisticsListLength = 500;

struct NumberList {
    std::vector<double> values;     // in list order; meaningless when stopped
    std::vector<Message> messages;  // warning, syntax errors, failure, in order
    bool stopped = false;           // the reading ended without a list
};

// Reads the list as the window does: a wrong separator is reported and
// skipped, anything but a number where one is due ends the reading.
NumberList readNumberList(std::string_view text);

// The statistics of a non-empty list. Sums raise Overflow (kz::NumFailure)
// when they leave the double range.
double statSum(std::span<const double> v);
double statSumOfSquares(std::span<const double> v);
double statMean(std::span<const double> v);
double statMedian(std::span<const double> v);
double statMinimum(std::span<const double> v);
double statMaximum(std::span<const double> v);
// A number, several numbers joined by ", ", or "N/A" when every value occurs once.
std::string statMode(std::span<const double> v);

// Calculate of the window: sets txtStat(0), (1), (2), (3), (9), (11), (13).
Outcome statisticsCalculate(std::string_view list);

// The copy text from the seven boxes' texts.
std::string statisticsCopyText(const Texts& t);

std::unique_ptr<WindowModel> makeStatisticsWindow();  // Form28

}  // namespace kz
