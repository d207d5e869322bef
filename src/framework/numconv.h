// Number semantics shared by every calculation: conversions between texts,
// doubles and 16/32-bit integers, and the fixed ways numbers are written.
// Every tool uses these; none re-implements them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kz {

// Kinds of failure a calculation step can raise. Callers map them to texts.
enum class FailureKind {
    Overflow,        // a value or conversion outside its range
    DivisionByZero,  // integer or floating division by zero
    TypeMismatch,    // a text that cannot be read as a number
    Invalid,         // any other invalid operation (square root of -1, ...)
};

class NumFailure : public std::runtime_error {
public:
    explicit NumFailure(FailureKind k);
    FailureKind kind() const noexcept { return kind_; }

private:
    FailureKind kind_;
};

[[noreturn]] void fail(FailureKind k);

// The decimal number at the start of a text, taken apart: [sign] digits
// [. digits] [E [sign] digits], the exponent only when it has a digit. Every
// reader of decimal texts, inexact or exact, scans with it.
struct DecimalScan {
    std::size_t length = 0;  // characters of the number; 0 when it has no mantissa digit
    bool negative = false;
    bool point = false;         // a decimal point is written
    std::string_view body;      // the number without its sign
    std::string_view whole;     // the digits before the point
    std::string_view fraction;  // the digits after it
    bool hasExponent = false;
    long exponent = 0;  // as written; magnitudes beyond 10^8 are held as about 10^9
};
DecimalScan scanDecimal(std::string_view text);

// Leading-number conversion: blanks, tabs and line feeds are ignored wherever
// they stand; then the longest numeric prefix (sign, digits, point, digits,
// exponent E) is read; "&H" / "&O" read hexadecimal / octal. Text that is not
// a number reads as 0. The form of the text never fails; only a magnitude
// beyond the double range raises Overflow.
double leadingNumber(std::string_view text);

// Strict conversion of the whole text (blanks around it allowed). Empty text,
// a lone ".", or trailing junk raise TypeMismatch; too large raises Overflow.
double strictNumber(std::string_view text);
std::optional<double> tryStrictNumber(std::string_view text);  // nullopt on any failure

// Nearest integer, ties to even; Overflow outside the type's range (NaN too).
std::int16_t toInt16(double v);
std::int32_t toInt32(double v);

// Double arithmetic that fails where the program's arithmetic always has:
// a result beyond the double range (Overflow), a zero divisor
// (DivisionByZero; 0/0 has no value and is an Overflow).
double finiteOrFail(double v);
double quotientOrFail(double a, double b);

// Single precision: rounds to float; Overflow beyond the float range.
float toSingle(double v);

// Integer remainder / quotient: both operands converted to 32-bit integers
// first; remainder has the sign of the dividend; zero divisor raises
// DivisionByZero.
std::int32_t intRemainder(double dividend, double divisor);
std::int32_t intQuotient(double dividend, double divisor);

// 16-bit arithmetic helpers: Overflow when the exact result leaves the range.
std::int16_t add16(std::int32_t a, std::int32_t b);
std::int16_t mul16(std::int32_t a, std::int32_t b);
std::int32_t add32(std::int64_t a, std::int64_t b);
std::int32_t mul32(std::int64_t a, std::int64_t b);

// Number to text: at most 15 significant digits, no trailing zeros or point,
// exponent form (1E+15, 1.5E-05) when the decimal exponent is >= 15 or < -4.
// Never "-0". Infinity raises Overflow, NaN raises Invalid.
std::string numberToText(double v);
std::string numberToText(std::int64_t v);  // plain digits

// The same text as numberToText(double), in a fixed buffer: for callers that
// write many numbers and want no heap allocation. It also carries the value
// that the text reads back as (strictNumber(view())), which is the value shown.
inline constexpr std::size_t kNumberTextCapacity = 32;
struct NumberText {
    char data[kNumberTextCapacity];
    std::uint8_t size = 0;
    double value = 0;
    std::string_view view() const { return {data, size}; }
};
NumberText toNumberText(double v);
inline std::string numberToText(std::int32_t v) { return numberToText(static_cast<std::int64_t>(v)); }
inline std::string numberToText(std::int16_t v) { return numberToText(static_cast<std::int64_t>(v)); }

// Single-precision text: 7 significant digits, exponent form from 1E+07 up
// and below 1E-4. The value is first rounded to single precision.
std::string singleToText(double v);

// The pocket calculator's display: 15 significant digits, fixed notation,
// at least one digit before the point, at most 17 after it, the point always
// written ("5.", "3.5", "0.333333333333333").
std::string displayFormat(double v);

}  // namespace kz
