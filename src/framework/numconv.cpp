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
// common case, without the general parser. False for anything else, and for
// a text without a digit.
bool fastDecimal(std::string_view num, double& out) {
    const char* p = num.data();
    const char* const end = p + num.size();
    std::uint64_t m = 0;  // wraps harmlessly when the text has too many digits
    int significant = 0;  // digits from the first non-zero one on
    auto digits = [&] {
        for (; p < end && isDigit(*p); ++p) {
            m = m * 10 + static_cast<unsigned>(*p - '0');
            significant += m != 0;
        }
    };
    digits();
    const bool whole = p != num.data();
    long decimals = 0;
    if (p < end && *p == '.') {
        const char* first = ++p;
        digits();
        decimals = p - first;
    }
    if (p != end || significant > 15 || decimals > 22 || (!whole && decimals == 0)) return false;
    out = static_cast<double>(m) / kPow10[decimals];
    return true;
}

// Converts a well-formed decimal text [sign] digits [. digits] [e [sign] digits]
// to a double, telling overflow (raised) from underflow (0).
double decimalToDouble(std::string_view num) {
    bool negative = false;
    if (!num.empty() && (num[0] == '+' || num[0] == '-')) {
        negative = num[0] == '-';
        num.remove_prefix(1);
    }
    double v = 0;
    if (fastDecimal(num, v)) return negative ? -v : v;
    const std::errc ec = parseDouble(num, v);
    if (ec == std::errc::result_out_of_range) {
        // Estimate the decimal exponent to tell a huge value from a tiny one.
        long intDigits = 0;
        std::size_t i = 0;
        bool leading = true;
        long fracZeros = 0;
        for (; i < num.size() && isDigit(num[i]); ++i) {
            if (leading && num[i] == '0') continue;
            leading = false;
            ++intDigits;
        }
        if (i < num.size() && num[i] == '.') {
            ++i;
            for (; i < num.size() && isDigit(num[i]); ++i) {
                if (!leading) break;
                if (num[i] == '0') ++fracZeros;
                else leading = false;
            }
        }
        while (i < num.size() && (isDigit(num[i]) || num[i] == '.')) ++i;
        long exponent = 0;
        if (i < num.size() && (num[i] == 'e' || num[i] == 'E')) {
            ++i;
            bool eneg = false;
            if (i < num.size() && (num[i] == '+' || num[i] == '-')) eneg = num[i++] == '-';
            for (; i < num.size() && isDigit(num[i]); ++i) {
                if (exponent < 100000000) exponent = exponent * 10 + (num[i] - '0');
            }
            if (eneg) exponent = -exponent;
        }
        long magnitude = (intDigits > 0 ? intDigits : -fracZeros) + exponent;
        if (magnitude > 0) fail(FailureKind::Overflow);
        v = 0;
    } else if (ec != std::errc()) {
        fail(FailureKind::TypeMismatch);
    }
    return negative ? -v : v;
}

// Length of the longest prefix of s of the form [sign] digits [. digits] [e [sign] digits];
// returns 0 when it holds no mantissa digit. requireExpDigits: an "e" without
// digits is not part of the number.
std::size_t scanDecimal(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t expStart = j;
        while (j < s.size() && isDigit(s[j])) ++j;
        if (j > expStart) i = j;
    }
    return i;
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
    int count = 0;     // significant digits, no trailing zeros, at least one
    int exponent = 0;  // decimal exponent of the first digit
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
    using u128 = unsigned __int128;
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
        const u128 scale = s <= 19 ? u128{kPow10Int[s]} : u128{kPow10Int[19]} * kPow10Int[s - 19];
        const u128 x = u128{m} * scale;
        const u128 whole = x >> q;
        if (whole >= high) {
            ++e;
            continue;
        }
        if (whole < low) {
            --e;
            continue;
        }
        const u128 rest = x & ((u128{1} << q) - 1), half = u128{1} << (q - 1);
        std::uint64_t d = static_cast<std::uint64_t>(whole);
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

double leadingNumber(std::string_view text) {
    double value = 0;
    if (fastDecimal(text, value)) return value;
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
    std::size_t used = 0;
    if (readPrefixed(s, value, used)) return value;
    std::size_t n = scanDecimal(s);
    if (n == 0) return 0;
    return decimalToDouble(std::string_view(s).substr(0, n));
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
    std::size_t n = scanDecimal(text);
    if (n == 0 || n != text.size()) fail(FailureKind::TypeMismatch);
    return decimalToDouble(text);
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
    if (v < std::numeric_limits<Int>::min() || v > std::numeric_limits<Int>::max())
        fail(FailureKind::Overflow);
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
    std::int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r)) fail(FailureKind::Overflow);
    return checked<std::int32_t>(r);
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
