// Reducing a fraction (Form20), comparing two (Form24), and turning an
// improper fraction into a mixed number and back (Form37).
#pragma once

#include <memory>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

// Sets Text3 (numerator, carrying the sign) and Text4 (denominator, "1"
// for a whole number); a zero or empty denominator is rejected and sets nothing.
Outcome reduceFraction(std::string_view numerator, std::string_view denominator);

// Sets Label1 to ">", "=" or "<" for a/b against c/d; a zero or empty
// denominator is one failure and leaves Label1 alone.
Outcome compareFractions(std::string_view a, std::string_view b, std::string_view c, std::string_view d);

// Mode 1: n/d to Text3 (whole part), Text4 (remainder), Text5 (d as typed).
Outcome improperToMixed(std::string_view numerator, std::string_view denominator);
// Mode 2: w n/d to Text10 (w·d + n) and Text9 (d as typed).
Outcome mixedToImproper(std::string_view whole, std::string_view numerator, std::string_view denominator);

std::unique_ptr<WindowModel> makeFractionReductionWindow();   // Form20
std::unique_ptr<WindowModel> makeFractionComparisonWindow();  // Form24
std::unique_ptr<WindowModel> makeFractionConversionWindow();  // Form37

}  // namespace kz
