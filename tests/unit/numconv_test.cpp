#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "framework/numconv.h"

using namespace kz;

namespace {

FailureKind failureOf(auto&& f) {
    try {
        f();
    } catch (const NumFailure& e) {
        return e.kind();
    }
    ADD_FAILURE() << "expected a failure";
    return FailureKind::Invalid;
}

}  // namespace

TEST(LeadingNumber, ReadsTheLongestNumericPrefix) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"", 0},        {"abc", 0},    {"12", 12},    {"  12  ", 12},    {"1 2\t3\n4", 1234}, {"-5", -5},
        {"+5", 5},      {"- 5", -5},   {".5", 0.5},   {"5.", 5},         {"-.5", -0.5},       {"12abc", 12},
        {"1.2.3", 1.2}, {"1e3", 1000}, {"1E3", 1000}, {"1.5e-2", 0.015}, {"2e", 2},           {"2e+", 2},
        {"2ex", 2},     {"-", 0},      {".", 0},      {"-.", 0},         {"&H1F", 31},        {"&hff", 255},
        {"&O17", 15},   {"&H", 0},     {"&Hxyz", 0},  {"&", 0},          {"1e-400", 0},       {"0012", 12},
        {"3+4", 3},     {"１２", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << c.text;
}

TEST(LeadingNumber, HugeMagnitudeIsAnOverflow) {
    EXPECT_EQ(failureOf([] { leadingNumber("1e400"); }), FailureKind::Overflow);
    EXPECT_EQ(failureOf([] { leadingNumber(std::string(400, '9')); }), FailureKind::Overflow);
    EXPECT_DOUBLE_EQ(leadingNumber("0.000000000000000000001e-330"), 0);
}

TEST(StrictNumber, AcceptsWholeNumbersOnly) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"12", 12},
        {" 12 ", 12},
        {"\t-3.5 ", -3.5},
        {"+7", 7},
        {".5", 0.5},
        {"5.", 5},
        {"1e5", 1e5},
        {"1E-2", 0.01},
        {"&H10", 16},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"1..5", std::nullopt},
        {"12a", std::nullopt},
        {"1 2", std::nullopt},
        {"1e", std::nullopt},
        {"abc", std::nullopt},
        {"&H", std::nullopt},
        {"&HFG", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(tryStrictNumber(c.text), c.value) << c.text;
    EXPECT_EQ(failureOf([] { strictNumber("x"); }), FailureKind::TypeMismatch);
    EXPECT_EQ(failureOf([] { strictNumber("1e999"); }), FailureKind::Overflow);
}

TEST(IntegerConversion, RoundsHalfToEvenWithinRange) {
    struct Case {
        double v;
        std::int32_t expected;
    };
    const Case cases[] = {
        {0.5, 0},  {1.5, 2},  {2.5, 2},       {3.5, 4},         {-2.5, -2},       {-1.5, -2},
        {0.49, 0}, {-0.5, 0}, {32767, 32767}, {-32768, -32768}, {32767.4, 32767}, {-32768.5, -32768},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toInt16(c.v), c.expected) << c.v;
        EXPECT_EQ(toInt32(c.v), c.expected) << c.v;
    }
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(toInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
}

TEST(IntegerConversion, OverflowsOutsideTheRange) {
    for (double v : {32768.0, -32769.0, 32767.5, -32768.6, 1e10, std::nan("")})
        EXPECT_EQ(failureOf([&] { toInt16(v); }), FailureKind::Overflow) << v;
    for (double v : {2147483648.0, -2147483649.0, 2147483647.5, 1e300, std::numeric_limits<double>::infinity()})
        EXPECT_EQ(failureOf([&] { toInt32(v); }), FailureKind::Overflow) << v;
}

TEST(IntegerDivision, RemainderHasTheDividendsSign) {
    struct Case {
        double a, b;
        std::int32_t rem, quot;
    };
    const Case cases[] = {
        {7, 3, 1, 2},   {-7, 3, -1, -2},           {7, -3, 1, -2}, {-7, -3, -1, 2}, {7.5, 2, 0, 4},
        {2.5, 2, 0, 1}, {-2147483648.0, -1, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(intRemainder(c.a, c.b), c.rem) << c.a << " % " << c.b;
        if (c.a != -2147483648.0) {
            EXPECT_EQ(intQuotient(c.a, c.b), c.quot) << c.a << " \\ " << c.b;
        }
    }
    EXPECT_EQ(failureOf([] { intRemainder(5, 0); }), FailureKind::DivisionByZero);
    EXPECT_EQ(failureOf([] { intRemainder(5, 0.4); }), FailureKind::DivisionByZero);
    EXPECT_EQ(failureOf([] { intQuotient(-2147483648.0, -1); }), FailureKind::Overflow);
    EXPECT_EQ(failureOf([] { intRemainder(3e9, 7); }), FailureKind::Overflow);
}

TEST(CheckedArithmetic, OverflowsAtTheTypeLimits) {
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_EQ(mul16(-128, 256), -32768);
    EXPECT_EQ(failureOf([] { add16(32767, 1); }), FailureKind::Overflow);
    EXPECT_EQ(failureOf([] { mul16(200, 300); }), FailureKind::Overflow);
    EXPECT_EQ(add32(2147483646, 1), 2147483647);
    EXPECT_EQ(failureOf([] { add32(2147483647, 1); }), FailureKind::Overflow);
    EXPECT_EQ(failureOf([] { mul32(65536, 65536); }), FailureKind::Overflow);
}

TEST(NumberToText, FifteenSignificantDigits) {
    struct Case {
        double v;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-1, "-1"},
        {0.5, "0.5"},
        {-0.25, "-0.25"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},
        {123.456, "123.456"},
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {999999999999999.9, "1E+15"},
        {1234567890123456, "1.23456789012346E+15"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {0.000015, "1.5E-05"},
        {-0.00001, "-1E-05"},
        {0.000099999999999999999, "0.0001"},
        {9.9999999999999999, "10"},
        {1e100, "1E+100"},
        {1.5e-300, "1.5E-300"},
        {7.257415615307999e306, "7.257415615308E+306"},
        {100, "100"},
        {1e14, "100000000000000"},
        {2147483648.0, "2147483648"},
    };
    for (const auto& c : cases) EXPECT_EQ(numberToText(c.v), c.text) << c.v;
    EXPECT_EQ(numberToText(std::int64_t{-32768}), "-32768");
    EXPECT_EQ(numberToText(std::int32_t{2147483647}), "2147483647");
}

TEST(NumberToText, NeverWritesInfinityOrNaN) {
    EXPECT_EQ(failureOf([] { numberToText(std::numeric_limits<double>::infinity()); }), FailureKind::Overflow);
    EXPECT_EQ(failureOf([] { numberToText(-std::numeric_limits<double>::infinity()); }), FailureKind::Overflow);
    EXPECT_EQ(failureOf([] { numberToText(std::nan("")); }), FailureKind::Invalid);
}

TEST(SingleToText, SevenSignificantDigits) {
    struct Case {
        double v;
        const char* text;
    };
    const Case cases[] = {
        {1.0 / 3, "0.3333333"}, {1234567, "1234567"}, {12345678, "1.234568E+07"},     {9999999.6, "1E+07"},
        {0.00001, "1E-05"},     {0.1, "0.1"},         {3.14159265358979, "3.141593"}, {-2.5, "-2.5"},
    };
    for (const auto& c : cases) EXPECT_EQ(singleToText(c.v), c.text) << c.v;
    EXPECT_EQ(failureOf([] { singleToText(1e39); }), FailureKind::Overflow);
}

TEST(DisplayFormat, FixedWithTheAlwaysWrittenPoint) {
    struct Case {
        double v;
        const char* text;
    };
    const Case cases[] = {
        {5, "5."},
        {3.5, "3.5"},
        {0, "0."},
        {-0.0, "0."},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-5, "-5."},
        {10, "10."},
        {1e20, "100000000000000000000."},
        {1234567890123456789.0, "1234567890123460000."},
        {0.00001, "0.00001"},
        {1.23e-16, "0.00000000000000012"},
        {1.5e-20, "0."},
        {-1.5e-20, "0."},
        {5e-18, "0.00000000000000001"},
        {0.1 + 0.2, "0.3"},
    };
    for (const auto& c : cases) EXPECT_EQ(displayFormat(c.v), c.text) << c.v;
}

namespace {

// The number-to-text rules applied to printf's correctly rounded digits: an
// independent way to the same text.
std::string referenceText(double v) {
    if (v == 0) return "0";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", v);  // d.dddddddddddddde±x
    const bool negative = buf[0] == '-';
    const char* p = buf + negative;
    std::string digits = p[0] + std::string(p + 2, 14);
    const int exponent = std::atoi(p + 17);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        out += digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + "E" +
               (exponent < 0 ? "-" : "+") + (std::abs(exponent) < 10 ? "0" : "") + std::to_string(std::abs(exponent));
    } else if (exponent >= 0) {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        out += digits.size() <= whole ? digits + std::string(whole - digits.size(), '0')
                                      : digits.substr(0, whole) + "." + digits.substr(whole);
    } else {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return out;
}

}  // namespace

// Random doubles of every magnitude, weighted to where results usually lie,
// and to the ties and powers of ten where rounding is decided.
TEST(NumberToText, AgreesWithCorrectlyRoundedDigitsOnRandomValues) {
    std::mt19937_64 random(2010);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        double v = 0;
        switch (i % 6) {
            case 0: v = std::bit_cast<double>(bits); break;
            case 1: v = std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(random() % 80) - 90); break;
            case 2:
                v = static_cast<double>(static_cast<std::int64_t>(bits % 2000000) - 1000000) /
                    static_cast<double>(random() % 997 + 1);
                break;
            case 3: v = static_cast<double>(bits % 90000000000000000u); break;  // 16 and 17 digits: ties at the 15th
            case 4: v = std::ldexp(static_cast<double>(bits % 100000000), -static_cast<int>(random() % 40)); break;
            default:
                v = std::nextafter(std::pow(10.0, static_cast<int>(bits % 40) - 20), (bits >> 32 & 1) ? 0.0 : 1e300);
                break;
        }
        if (!std::isfinite(v)) continue;
        const std::string expected = referenceText(v);
        ASSERT_EQ(numberToText(v), expected) << std::hexfloat << v;
        const NumberText fixed = toNumberText(v);
        ASSERT_EQ(fixed.view(), expected) << std::hexfloat << v;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(fixed.value), std::bit_cast<std::uint64_t>(strictNumber(expected)))
            << expected;
    }
}

// Plain decimal texts, which take the short path, read as the C library does.
TEST(StrictNumber, PlainDecimalsReadAsCorrectlyRounded) {
    std::mt19937_64 random(1999);
    for (int i = 0; i < 100000; ++i) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 24);
        const int point = static_cast<int>(random() % (length + 2));
        for (int k = 0; k < length; ++k) text += k == point ? '.' : static_cast<char>('0' + random() % 10);
        if (text == ".") continue;
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(strictNumber(text), expected) << text;
        ASSERT_EQ(leadingNumber(text), expected) << text;
    }
}

// The one scanner behind every decimal reader: where the number ends and
// what its parts are. An "E" without exponent digits is not part of it.
TEST(ScanDecimal, TakesTheLeadingNumberApart) {
    struct Case {
        const char* text;
        std::size_t length;
        bool negative, point;
        const char *whole, *fraction;
        bool hasExponent;
        long exponent;
    };
    const Case cases[] = {
        {"12.50", 5, false, true, "12", "50", false, 0},
        {"-0.5e-3x", 7, true, true, "0", "5", true, -3},
        {"+.5", 3, false, true, "", "5", false, 0},
        {"7.", 2, false, true, "7", "", false, 0},
        {"12e", 2, false, false, "12", "", false, 0},
        {"12E+", 2, false, false, "12", "", false, 0},
        {"3E+07", 5, false, false, "3", "", true, 7},
        {"1e999999999999", 14, false, false, "1", "", true, 999999999},  // held short of overflow
        {".", 0, false, false, "", "", false, 0},
        {"-", 0, false, false, "", "", false, 0},
        {"-.e5", 0, false, false, "", "", false, 0},
        {"", 0, false, false, "", "", false, 0},
        {"&H10", 0, false, false, "", "", false, 0},
        {"1 2", 1, false, false, "1", "", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const DecimalScan d = scanDecimal(c.text);
        EXPECT_EQ(d.length, c.length);
        EXPECT_EQ(d.negative, c.negative);
        EXPECT_EQ(d.point, c.point);
        EXPECT_EQ(d.whole, c.whole);
        EXPECT_EQ(d.fraction, c.fraction);
        EXPECT_EQ(d.hasExponent, c.hasExponent);
        EXPECT_EQ(d.exponent, c.exponent);
        const std::size_t sign = c.text[0] == '+' || c.text[0] == '-';
        if (d.length) {
            EXPECT_EQ(d.body, std::string_view(c.text).substr(sign, d.length - sign));
        }
    }
}

// The signed 64-bit operands of mul32 must not wrap before the range check.
TEST(CheckedArithmetic, Mul32ChecksTheExactProduct) {
    constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
    struct Case {
        std::int64_t a, b;
        std::optional<std::int32_t> product;
    };
    const Case cases[] = {
        {-65536, 32768, std::numeric_limits<std::int32_t>::min()},
        {65536, 32768, std::nullopt},
        {-1, 2147483647, -2147483647},
        {kMin64, -1, std::nullopt},
        {kMin64, 0, 0},
        {std::int64_t{1} << 32, std::int64_t{1} << 32, std::nullopt},  // wraps to 0 in 64 bits
        {-46341, 46341, std::nullopt},
        {-46340, -46340, 2147395600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " * " + std::to_string(c.b));
        if (c.product) {
            EXPECT_EQ(mul32(c.a, c.b), *c.product);
        } else {
            EXPECT_EQ(failureOf([&] { mul32(c.a, c.b); }), FailureKind::Overflow);
        }
    }
}
