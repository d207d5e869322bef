// Sum of an arithmetic sequence from its first and last terms and the
// number of terms: (first + last) × count ÷ 2, the formula applied unchanged.
#pragma once

#include <memory>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

// Text1 first term, Text2 last term, Text3 count. Sets Text4.
Outcome accumulatorCalculate(std::string_view first, std::string_view last, std::string_view count);

std::unique_ptr<WindowModel> makeAccumulatorWindow();  // Form6

}  // namespace kz
