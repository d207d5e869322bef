// Integer quotient and remainder of two whole numbers, as 17÷5＝3……2.
#pragma once

#include <memory>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

// Text1 dividend, Text2 divisor (a 16-bit integer). Sets Text3 (quotient) and
// Text4 (remainder); every failing step writes the failure text into both.
Outcome remainderCalculate(std::string_view dividend, std::string_view divisor);

// "17÷5＝3……2" from the four boxes as they stand.
std::string remainderCopyText(std::string_view t1, std::string_view t2, std::string_view t3, std::string_view t4);

std::unique_ptr<WindowModel> makeRemainderWindow();  // Form11

}  // namespace kz
