// Exact values for the fraction and equation workings, and how the exercise
// book writes them: "－" for a minus, a negative operand in parentheses,
// fractions "a/b", decimals only where they end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <boost/multiprecision/cpp_int.hpp>

namespace kz {

using Rational = boost::multiprecision::cpp_rational;
using BigInt = boost::multiprecision::cpp_int;

// A text the strict conversion accepts, exactly: mantissa · 10^exponent,
// the mantissa without trailing zeros. Nothing when the strict conversion
// fails or the text is beyond what a pupil types (400 digits, 10^±400).
struct ExactDecimal {
    BigInt mantissa;
    long exponent = 0;
};
std::optional<ExactDecimal> exactDecimal(std::string_view text);

// The exact value of a text the strict conversion accepts: a typed decimal
// is held as the decimal it is, not as the double nearest to it. Nothing
// when the strict conversion fails or the text is beyond what a pupil types.
std::optional<Rational> exactNumber(std::string_view text);

// A whole number with the exercise book's minus: -3 is "－3".
std::string signedText(const BigInt& v);
std::string signedText(std::int64_t v);

// An exact value: the decimal where it ends (within a few dozen digits),
// otherwise the fraction in lowest terms, "－" in front: 1.25, －1/3.
std::string valueText(const Rational& v);

// The same, in parentheses when negative, for a value after a sign: (－3).
std::string operandText(const Rational& v);

// A fraction as it stands, not reduced, its signs where they are:
// 3/4, －3/4, 3/(－4).
std::string fractionText(std::int64_t numerator, std::int64_t denominator);

// A window's number text with the exercise book's minus in front: -0.5 is "－0.5".
std::string shownText(std::string_view windowText);

// The decimal text of v when it has at most maxDigits digits after the point.
std::optional<std::string> decimalText(const Rational& v, int maxDigits = 40);

}  // namespace kz
