#include "framework/numconv.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

// libc++ before 20 has no floating-point std::from_chars.
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 200000
#define KZ_NO_FLOAT_FROM_CHARS 1
#include <locale.h>
#ifdef __APPLE__
#include <xlocale.h>
#endif
#endif

#include "tools/number/nt/uint128.h"

namespace kz {

namespace {

// std::from_chars for a decimal double, reporting a value lost to the range
// (infinite, or zero from nonzero digits) as result_out_of_range.
std::errc parseDouble(std::string_view num, double& v) {
#ifdef KZ_NO_FLOAT_FROM_CHARS
    // strtod in the C locale: the user's locale may want a decimal comma.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string text(num);
    char* end = nullptr;
    const double r = strtod_l(text.c_str(), &end, cLocale);
    if (end == text.c_str()) return std::errc::invalid_argument;
    const bool nonzero = num.substr(0, num.find_first_of("eE")).find_first_of("123456789") != std::string_view::npos;
    if (std::isinf(r) || (r == 0 && nonzero)) return std::errc::result_out_of_range;
    v = r;
    return {};
#else
    return std::from_chars(num.data(), num.data() + num.size(), v, std::chars_format::general).ec;
#endif
}

const char* failureName(FailureKind k) {
    switch (k) {
        case FailureKind::Overflow: return "overflow";
        case FailureKind::DivisionByZero: return "division by zero";
        case FailureKind::TypeMismatch: return "type mismatch";
        case FailureKind::Invalid: return "invalid operation";
    }
    return "failure";
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a run of digits of the given base; returns the value and how many
// characters were used. Overflow when the value leaves the double range.
double readRadix(std::string_view s, int base, std::size_t& used) {
    double v = 0;
    used = 0;
    while (used < s.size()) {
        int d = hexValue(s[used]);
        if (d < 0 || d >= base) break;
        v = v * base + d;
        ++used;
    }
    if (std::isinf(v)) fail(FailureKind::Overflow);
    return v;
}

// The powers of ten that a double holds exactly.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Digits with at most one point, up to 15 significant digits and up to 22
// decimals, are exact as m / 10^k, a single correctly rounded division: the
// common case, without the general parser. False for anything else.
bool fastDecimal(const DecimalScan& d, double& out) {
    if (d.hasExponent || d.length == 0 || d.fraction.size() > 22) return false;
    std::uint64_t m = 0;
    int significant = 0;  // digits from the first non-zero one on
    for (std::string_view part : {d.whole, d.fraction})
        for (char c : part) {
            m = m * 10 + static_cast<unsigned>(c - '0');
            significant += m != 0;
        }
    if (significant > 15) return false;
    const double v = static_cast<double>(m) / kPow10[d.fraction.size()];
    out = d.negative ? -v : v;
    return true;
}

// The whole text as a plain decimal (no exponent), or false.
bool fastDecimal(std::string_view text, double& out) {
    const DecimalScan d = scanDecimal(text);
    return d.length == text.size() && fastDecimal(d, out);
}

// The value of a scanned decimal as a double, telling overflow (raised)
// from underflow (0).
double decimalToDouble(const DecimalScan& d) {
    double v = 0;
    if (fastDecimal(d, v)) return v;
    const std::errc ec = parseDouble(d.body, v);
    if (ec == std::errc::result_out_of_range) {
        // The decimal exponent of the first significant digit tells a huge value from a tiny one.
        const std::size_t firstWhole = std::min(d.whole.find_first_not_of('0'), d.whole.size());
        const long intDigits = static_cast<long>(d.whole.size() - firstWhole);
        const long fracZeros = static_cast<long>(std::min(d.fraction.find_first_not_of('0'), d.fraction.size()));
        const long magnitude = (intDigits > 0 ? intDigits : -fracZeros) + d.exponent;
        if (magnitude > 0) fail(FailureKind::Overflow);
        v = 0;
    } else if (ec != std::errc()) {
        fail(FailureKind::TypeMismatch);
    }
    return d.negative ? -v : v;
}

// Reads "&H..." / "&O..." at the start of s; returns false when s has no such prefix.
bool readPrefixed(std::string_view s, double& value, std::size_t& used) {
    if (s.size() < 2 || s[0] != '&') return false;
    int base = 0;
    if (s[1] == 'H' || s[1] == 'h') base = 16;
    else if (s[1] == 'O' || s[1] == 'o') base = 8;
    else return false;
    std::size_t n = 0;
    value = readRadix(s.substr(2), base, n);
    used = 2 + n;
    return true;
}

struct Decimal {
    bool negative = false;
    int count = 0;            // significant digits, no trailing zeros, at least one
    int exponent = 0;         // decimal exponent of the first digit
    std::uint64_t whole = 0;  // the digits as an integer; 0 when not known
    char digits[24];
    std::string_view text() const { return {digits, static_cast<std::size_t>(count)}; }
};

// 10^0 .. 10^19, every power of ten that 64 bits hold.
constexpr auto kPow10Int = [] {
    std::array<std::uint64_t, 20> p{1};
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

// The common magnitudes (2^-17 <= |v| < 10^sig) rounded to `sig` significant
// digits in exact integer arithmetic: |v| = m / 2^q is scaled by 10^s and
// rounded to a whole number, ties to even, as the general path rounds.
// digits gets the result without its trailing zeros. False outside that range.
bool exactDigits(double v, int sig, std::uint64_t& digits, int& exponent) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
    const int biased = static_cast<int>(bits >> 52 & 0x7FF);
    const int log2 = biased - 1023;  // floor(log2 |v|) of a normal number
    if (sig < 1 || sig > 15 || biased == 0 || log2 < -17 || std::fabs(v) >= static_cast<double>(kPow10Int[sig]))
        return false;
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
    const int q = 52 - log2;  // 3..69 in this range
    const std::uint64_t low = kPow10Int[sig - 1], high = kPow10Int[sig];
    int e = (log2 * 1233) >> 12;  // floor(log2 * log10(2)): the exponent or one less
    for (;;) {
        const int s = sig - 1 - e;  // 0..22, so m * 10^s < 2^127
        if (s < 0 || s > 22) return false;
        const U128 scale = s <= 19 ? U128(kPow10Int[s]) : mulWide(kPow10Int[19], kPow10Int[s - 19]);
        const U128 x = U128(m) * scale;
        const U128 whole = x >> static_cast<unsigned>(q);
        if (whole >= high) {
            ++e;
            continue;
        }
        if (whole < low) {
            --e;
            continue;
        }
        const U128 rest = x & ((U128(1) << static_cast<unsigned>(q)) - U128(1));
        const U128 half = U128(1) << static_cast<unsigned>(q - 1);
        std::uint64_t d = whole.lo;
        if (rest > half || (rest == half && (d & 1))) ++d;
        if (d == high) {  // rounded up to the next power of ten
            d = low;
            ++e;
        }
        for (std::uint64_t zeros : {100000000u, 10000u, 100u, 10u})  // at most 14 trailing zeros
            if (d % zeros == 0) d /= zeros;
        digits = d;
        exponent = e;
        return true;
    }
}

// Rounds v (finite, non-zero) to `sig` significant digits.
Decimal toDecimal(double v, int sig) {
    Decimal d;
    d.negative = std::signbit(v);
    if (exactDigits(v, sig, d.whole, d.exponent)) {
        d.count = static_cast<int>(std::to_chars(d.digits, d.digits + sizeof d.digits, d.whole).ptr - d.digits);
    } else {
        char buf[64];
        auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, sig - 1);
        const char* p = buf;
        for (; p < res.ptr && *p != 'e'; ++p)
            if (isDigit(*p)) d.digits[d.count++] = *p;
        if (p < res.ptr && *p == 'e') {
            ++p;
            bool neg = *p == '-';
            if (*p == '-' || *p == '+') ++p;
            int e = 0;
            for (; p < res.ptr; ++p) e = e * 10 + (*p - '0');
            d.exponent = neg ? -e : e;
        }
        while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    }
    return d;
}

// The number-to-text rules with `sig` significant digits, into out. Where it
// comes cheaply, readBack gets the value that the text reads back as.
std::size_t writeSignificant(double v, int sig, char (&out)[kNumberTextCapacity],
                             std::optional<double>* readBack = nullptr) {
    if (std::isnan(v)) fail(FailureKind::Invalid);
    if (std::isinf(v)) fail(FailureKind::Overflow);
    char* const end = out + kNumberTextCapacity;
    char* p = out;
    if (v == 0) {
        *p++ = '0';
        if (readBack) *readBack = 0.0;
        return 1;
    }
    // Whole numbers short enough to need neither rounding nor an exponent.
    if (sig == 15 && std::fabs(v) < 1e15 && v == std::trunc(v)) {
        if (readBack) *readBack = v;
        return static_cast<std::size_t>(std::to_chars(out, end, static_cast<std::int64_t>(v)).ptr - out);
    }
    const Decimal d = toDecimal(v, sig);
    // The text reads back as its digits over a power of ten, one correctly
    // rounded division, in whichever form it is written.
    const int decimals = d.count - 1 - d.exponent;
    if (readBack && d.whole != 0 && decimals >= 0 && decimals <= 22) {
        const double magnitude = static_cast<double>(d.whole) / kPow10[decimals];
        *readBack = d.negative ? -magnitude : magnitude;
    }
    auto put = [&p](std::string_view s) { p = std::copy(s.begin(), s.end(), p); };
    if (d.negative) *p++ = '-';
    std::string_view digits = d.text();
    if (d.exponent >= sig || d.exponent < -4) {
        *p++ = digits[0];
        if (digits.size() > 1) {
            *p++ = '.';
            put(digits.substr(1));
        }
        *p++ = 'E';
        *p++ = d.exponent < 0 ? '-' : '+';
        int e = std::abs(d.exponent);
        if (e < 10) *p++ = '0';
        p = std::to_chars(p, end, e).ptr;
    } else if (d.exponent >= 0) {
        std::size_t intLen = static_cast<std::size_t>(d.exponent) + 1;
        if (digits.size() <= intLen) {
            put(digits);
            p = std::fill_n(p, intLen - digits.size(), '0');
        } else {
            put(digits.substr(0, intLen));
            *p++ = '.';
            put(digits.substr(intLen));
        }
    } else {
        put("0.");
        p = std::fill_n(p, -d.exponent - 1, '0');
        put(digits);
    }
    return static_cast<std::size_t>(p - out);
}

std::string significantText(double v, int sig) {
    char buf[kNumberTextCapacity];
    return std::string(buf, writeSignificant(v, sig, buf));
}

}  // namespace

NumFailure::NumFailure(FailureKind k) : std::runtime_error(failureName(k)), kind_(k) {}

void fail(FailureKind k) { throw NumFailure(k); }

DecimalScan scanDecimal(std::string_view s) {
    DecimalScan d;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) d.negative = s[i++] == '-';
    const std::size_t start = i;
    auto digitsFrom = [&](std::size_t from) {
        while (i < s.size() && isDigit(s[i])) ++i;
        return s.substr(from, i - from);
    };
    d.whole = digitsFrom(i);
    if (i < s.size() && s[i] == '.') {
        d.point = true;
        ++i;
        d.fraction = digitsFrom(i);
    }
    if (d.whole.empty() && d.fraction.empty()) return DecimalScan{};
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) negativeExponent = s[j++] == '-';
        const std::size_t expStart = j;
        long e = 0;
        for (; j < s.size() && isDigit(s[j]); ++j)
            if (e < 100000000) e = e * 10 + (s[j] - '0');
        if (j > expStart) {
            d.hasExponent = true;
            d.exponent = negativeExponent ? -e : e;
            i = j;
        }
    }
    d.length = i;
    d.body = s.substr(start, i - start);
    return d;
}

double leadingNumber(std::string_view text) {
    double value = 0;
    if (fastDecimal(text, value)) return value;
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
    std::size_t used = 0;
    if (readPrefixed(s, value, used)) return value;
    const DecimalScan d = scanDecimal(s);
    if (d.length == 0) return 0;
    return decimalToDouble(d);
}

double strictNumber(std::string_view text) {
    double value = 0;
    if (fastDecimal(text, value)) return value;  // plain digits and point: nothing to trim or check
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    std::size_t used = 0;
    if (readPrefixed(text, value, used)) {
        if (used == 2 || used != text.size()) fail(FailureKind::TypeMismatch);
        return value;
    }
    const DecimalScan d = scanDecimal(text);
    if (d.length == 0 || d.length != text.size()) fail(FailureKind::TypeMismatch);
    return decimalToDouble(d);
}

std::optional<double> tryStrictNumber(std::string_view text) {
    try {
        return strictNumber(text);
    } catch (const NumFailure&) {
        return std::nullopt;
    }
}

namespace {
template <typename Int>
Int roundToInt(double v) {
    if (std::isnan(v)) fail(FailureKind::Overflow);
    double r = std::nearbyint(v);  // default rounding mode: ties to even
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max()))
        fail(FailureKind::Overflow);
    return static_cast<Int>(r);
}
}  // namespace

std::int16_t toInt16(double v) { return roundToInt<std::int16_t>(v); }
std::int32_t toInt32(double v) { return roundToInt<std::int32_t>(v); }

float toSingle(double v) {
    if (std::isnan(v)) fail(FailureKind::Invalid);
    float f = static_cast<float>(v);
    if (std::isinf(f)) fail(FailureKind::Overflow);
    return f;
}

std::int32_t intRemainder(double dividend, double divisor) {
    std::int32_t a = toInt32(dividend);
    std::int32_t b = toInt32(divisor);
    if (b == 0) fail(FailureKind::DivisionByZero);
    if (b == -1) return 0;  // INT32_MIN % -1 is undefined in C++
    return a % b;
}

std::int32_t intQuotient(double dividend, double divisor) {
    std::int32_t a = toInt32(dividend);
    std::int32_t b = toInt32(divisor);
    if (b == 0) fail(FailureKind::DivisionByZero);
    if (a == std::numeric_limits<std::int32_t>::min() && b == -1) fail(FailureKind::Overflow);
    return a / b;
}

namespace {
template <typename Int>
Int checked(std::int64_t v) {
    if (v < std::numeric_limits<Int>::min() || v > std::numeric_limits<Int>::max()) fail(FailureKind::Overflow);
    return static_cast<Int>(v);
}
}  // namespace

std::int16_t add16(std::int32_t a, std::int32_t b) { return checked<std::int16_t>(std::int64_t{a} + b); }
std::int16_t mul16(std::int32_t a, std::int32_t b) { return checked<std::int16_t>(std::int64_t{a} * b); }
std::int32_t add32(std::int64_t a, std::int64_t b) {
    if ((b > 0 && a > std::numeric_limits<std::int64_t>::max() - b) ||
        (b < 0 && a < std::numeric_limits<std::int64_t>::min() - b))
        fail(FailureKind::Overflow);
    return checked<std::int32_t>(a + b);
}
std::int32_t mul32(std::int64_t a, std::int64_t b) {
    // The exact product of the magnitudes, so that no 64-bit product can wrap.
    const auto magnitude = [](std::int64_t v) {
        return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    };
    const U128 p = mulWide(magnitude(a), magnitude(b));
    const bool negative = (a < 0) != (b < 0);
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    if (p.hi != 0 || p.lo > limit) fail(FailureKind::Overflow);
    return negative ? static_cast<std::int32_t>(0 - static_cast<std::int64_t>(p.lo)) : static_cast<std::int32_t>(p.lo);
}

std::string numberToText(double v) { return significantText(v, 15); }

NumberText toNumberText(double v) {
    NumberText t;
    std::optional<double> readBack;
    t.size = static_cast<std::uint8_t>(writeSignificant(v, 15, t.data, &readBack));
    t.value = readBack ? *readBack : strictNumber(t.view());
    return t;
}

std::string numberToText(std::int64_t v) { return std::to_string(v); }

std::string singleToText(double v) { return significantText(static_cast<double>(toSingle(v)), 7); }

std::string displayFormat(double v) {
    if (std::isnan(v)) fail(FailureKind::Invalid);
    if (std::isinf(v)) fail(FailureKind::Overflow);
    if (v == 0) return "0.";
    const Decimal d = toDecimal(v, 15);
    const std::string digits(d.text());
    std::string intPart, frac;
    if (d.exponent >= 0) {
        std::size_t intLen = static_cast<std::size_t>(d.exponent) + 1;
        if (digits.size() <= intLen) {
            intPart = digits + std::string(intLen - digits.size(), '0');
        } else {
            intPart = digits.substr(0, intLen);
            frac = digits.substr(intLen);
        }
    } else {
        intPart = "0";
        frac = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + digits;
    }
    constexpr std::size_t maxDecimals = 17;
    if (frac.size() > maxDecimals) {
        bool roundUp = frac[maxDecimals] >= '5';
        frac.resize(maxDecimals);
        if (roundUp) {
            std::string all = intPart + frac;
            int i = static_cast<int>(all.size()) - 1;
            while (i >= 0 && all[i] == '9') all[i--] = '0';
            if (i < 0) all.insert(all.begin(), '1');
            else ++all[i];
            intPart = all.substr(0, all.size() - maxDecimals);
            frac = all.substr(all.size() - maxDecimals);
        }
    }
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    bool zero = frac.empty() && intPart.find_first_not_of('0') == std::string::npos;
    return (d.negative && !zero ? "-" : "") + intPart + "." + frac;
}

double finiteOrFail(double v) {
    if (!std::isfinite(v)) fail(FailureKind::Overflow);
    return v;
}

double quotientOrFail(double a, double b) {
    if (b == 0) fail(a == 0 ? FailureKind::Overflow : FailureKind::DivisionByZero);
    return finiteOrFail(a / b);
}

}  // namespace kz
