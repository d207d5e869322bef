// The workings of the fraction windows, in the exercise book's form: 通分,
// 约分 by short division, comparison after 通分, improper and mixed numbers.
// Each takes the values its window read and ends with the window's answer.
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/working.h"
#include "tools/fraction/arithmetic.h"
#include "tools/fraction/exacttext.h"

namespace kz {

// a/b op c/d (no denominator 0, no division by 0/d), ending with the result
// the window shows: shownNumerator over shownDenominator, as it stands.
Working arithmeticWorking(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d, FractionOp op,
                          std::int64_t shownNumerator, std::int64_t shownDenominator);

// a/b in lowest terms (b ≠ 0): the ladder of common prime divisors, then the
// division of both parts by their product.
Working reductionWorking(std::int64_t a, std::int64_t b);

// a/b against c/d (b, d ≠ 0), after 通分 where the denominators differ.
Working comparisonWorking(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);

// n/d as a whole part and remainder, from the typed texts and the whole
// numbers the window divided.
Working improperWorking(std::string_view numeratorText, std::string_view denominatorText, std::int64_t n,
                        std::int64_t d, std::int64_t whole, std::int64_t rest);

// w又n/d as (w×d＋n)/d; nothing where a text is not a number or d is 0.
Working mixedWorking(std::string_view wholeText, std::string_view numeratorText, std::string_view denominatorText);

}  // namespace kz
