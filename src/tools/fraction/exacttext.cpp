#include "tools/fraction/exacttext.h"

#include <cmath>

#include "framework/numconv.h"
#include "framework/working.h"

namespace kz {

namespace {

// Beyond these the text is no number a pupil types; holding it exactly
// would cost unbounded memory.
constexpr std::size_t kMaxDigits = 400;
constexpr long kMaxExponent = 400;

BigInt pow10(long e) {
    BigInt p = 1;
    for (long i = 0; i < e; ++i) p *= 10;
    return p;
}

std::string withMinus(std::string digits) {
    if (!digits.empty() && digits.front() == '-') return std::string(sign::kMinus) + digits.substr(1);
    return digits;
}

}  // namespace

std::optional<ExactDecimal> exactDecimal(std::string_view text) {
    const std::optional<double> value = tryStrictNumber(text);  // decides what is a number at all
    if (!value) return std::nullopt;
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    const DecimalScan scan = scanDecimal(text);
    ExactDecimal d;
    if (scan.length != text.size()) {
        // Other forms the conversion reads ("&H1F") are whole numbers, exact in the double.
        if (*value != std::floor(*value) || std::fabs(*value) > 9.0e18) return std::nullopt;
        d.mantissa = static_cast<long long>(*value);
        return d;
    }
    std::string digits = std::string(scan.whole) + std::string(scan.fraction);
    long exponent = scan.exponent - static_cast<long>(scan.fraction.size());
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (digits.empty()) return d;  // zero, whatever its exponent
    if (digits.size() > kMaxDigits || exponent > kMaxExponent || exponent < -kMaxExponent) return std::nullopt;
    d.mantissa = BigInt(digits);
    if (scan.negative) d.mantissa = -d.mantissa;
    d.exponent = exponent;
    return d;
}

std::optional<Rational> exactNumber(std::string_view text) {
    const std::optional<ExactDecimal> d = exactDecimal(text);
    if (!d) return std::nullopt;
    if (d->exponent >= 0) return Rational(d->mantissa * pow10(d->exponent));
    return Rational(d->mantissa, pow10(-d->exponent));
}

std::string shownText(std::string_view windowText) { return withMinus(std::string(windowText)); }

std::string signedText(const BigInt& v) { return withMinus(v.str()); }

std::string signedText(std::int64_t v) { return withMinus(numberToText(v)); }

std::optional<std::string> decimalText(const Rational& v, int maxDigits) {
    BigInt num = abs(numerator(v));
    BigInt den = denominator(v);
    // Only 2s and 5s in the denominator end; count the places they need.
    int places = 0;
    BigInt scale = 1;
    while ((num * scale) % den != 0) {
        if (++places > maxDigits) return std::nullopt;
        scale *= 10;
    }
    const BigInt scaled = num * scale / den;
    std::string digits = scaled.str();
    if (places > 0) {
        if (digits.size() <= static_cast<std::size_t>(places))
            digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(places), ".");
    }
    if (v < 0) digits.insert(0, sign::kMinus);
    return digits;
}

std::string valueText(const Rational& v) {
    if (auto d = decimalText(v)) return *d;
    return signedText(numerator(v)) + "/" + denominator(v).str();
}

std::string operandText(const Rational& v) {
    const std::string t = valueText(v);
    return v < 0 ? "(" + t + ")" : t;
}

std::string fractionText(std::int64_t n, std::int64_t d) {
    const std::string below = d < 0 ? "(" + signedText(d) + ")" : signedText(d);
    return signedText(n) + "/" + below;
}

}  // namespace kz
