#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
    struct Case { const char* text; double value; };
    const Case cases[] = {
        {"", 0}, {"abc", 0}, {"12", 12}, {"  12  ", 12}, {"1 2\t3\n4", 1234},
        {"-5", -5}, {"+5", 5}, {"- 5", -5}, {".5", 0.5}, {"5.", 5}, {"-.5", -0.5},
        {"12abc", 12}, {"1.2.3", 1.2}, {"1e3", 1000}, {"1E3", 1000}, {"1.5e-2", 0.015},
        {"2e", 2}, {"2e+", 2}, {"2ex", 2}, {"-", 0}, {".", 0}, {"-.", 0},
        {"&H1F", 31}, {"&hff", 255}, {"&O17", 15}, {"&H", 0}, {"&Hxyz", 0}, {"&", 0},
        {"1e-400", 0}, {"0012", 12}, {"3+4", 3}, {"１２", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << c.text;
}

TEST(LeadingNumber, HugeMagnitudeIsAnOverflow) {
    EXPECT_EQ(failureOf([] { leadingNumber("1e400"); }), FailureKind::Overflow);
    EXPECT_EQ(failureOf([] { leadingNumber(std::string(400, '9')); }), FailureKind::Overflow);
    EXPECT_DOUBLE_EQ(leadingNumber("0.000000000000000000001e-330"), 0);
}

TEST(StrictNumber, AcceptsWholeNumbersOnly) {
    struct Case { const char* text; std::optional<double> value; };
    const Case cases[] = {
        {"12", 12}, {" 12 ", 12}, {"\t-3.5 ", -3.5}, {"+7", 7}, {".5", 0.5}, {"5.", 5},
        {"1e5", 1e5}, {"1E-2", 0.01}, {"&H10", 16},
        {"", std::nullopt}, {"   ", std::nullopt}, {".", std::nullopt}, {"-", std::nullopt},
        {"1..5", std::nullopt}, {"12a", std::nullopt}, {"1 2", std::nullopt}, {"1e", std::nullopt},
        {"abc", std::nullopt}, {"&H", std::nullopt}, {"&HFG", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(tryStrictNumber(c.text), c.value) << c.text;
    EXPECT_EQ(failureOf([] { strictNumber("x"); }), FailureKind::TypeMismatch);
    EXPECT_EQ(failureOf([] { strictNumber("1e999"); }), FailureKind::Overflow);
}

TEST(IntegerConversion, RoundsHalfToEvenWithinRange) {
    struct Case { double v; std::int32_t expected; };
    const Case cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-1.5, -2}, {0.49, 0}, {-0.5, 0},
        {32767, 32767}, {-32768, -32768}, {32767.4, 32767}, {-32768.5, -32768},
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
    for (double v : {2147483648.0, -2147483649.0, 2147483647.5, 1e300,
                     std::numeric_limits<double>::infinity()})
        EXPECT_EQ(failureOf([&] { toInt32(v); }), FailureKind::Overflow) << v;
}

TEST(IntegerDivision, RemainderHasTheDividendsSign) {
    struct Case { double a, b; std::int32_t rem, quot; };
    const Case cases[] = {
        {7, 3, 1, 2}, {-7, 3, -1, -2}, {7, -3, 1, -2}, {-7, -3, -1, 2},
        {7.5, 2, 0, 4}, {2.5, 2, 0, 1}, {-2147483648.0, -1, 0, 0},
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
    struct Case { double v; const char* text; };
    const Case cases[] = {
        {0, "0"}, {-0.0, "0"}, {1, "1"}, {-1, "-1"}, {0.5, "0.5"}, {-0.25, "-0.25"},
        {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"}, {0.1 + 0.2, "0.3"},
        {123.456, "123.456"}, {999999999999999, "999999999999999"}, {1e15, "1E+15"},
        {999999999999999.9, "1E+15"}, {1234567890123456, "1.23456789012346E+15"},
        {0.0001, "0.0001"}, {0.00001, "1E-05"}, {0.000015, "1.5E-05"}, {-0.00001, "-1E-05"},
        {0.000099999999999999999, "0.0001"}, {9.9999999999999999, "10"},
        {1e100, "1E+100"}, {1.5e-300, "1.5E-300"}, {7.257415615307999e306, "7.257415615308E+306"},
        {100, "100"}, {1e14, "100000000000000"}, {2147483648.0, "2147483648"},
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
    struct Case { double v; const char* text; };
    const Case cases[] = {
        {1.0 / 3, "0.3333333"}, {1234567, "1234567"}, {12345678, "1.234568E+07"},
        {9999999.6, "1E+07"}, {0.00001, "1E-05"}, {0.1, "0.1"}, {3.14159265358979, "3.141593"},
        {-2.5, "-2.5"},
    };
    for (const auto& c : cases) EXPECT_EQ(singleToText(c.v), c.text) << c.v;
    EXPECT_EQ(failureOf([] { singleToText(1e39); }), FailureKind::Overflow);
}

TEST(DisplayFormat, FixedWithTheAlwaysWrittenPoint) {
    struct Case { double v; const char* text; };
    const Case cases[] = {
        {5, "5."}, {3.5, "3.5"}, {0, "0."}, {-0.0, "0."}, {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"}, {-5, "-5."}, {10, "10."}, {1e20, "100000000000000000000."},
        {1234567890123456789.0, "1234567890123460000."}, {0.00001, "0.00001"},
        {1.23e-16, "0.00000000000000012"}, {1.5e-20, "0."}, {-1.5e-20, "0."},
        {5e-18, "0.00000000000000001"}, {0.1 + 0.2, "0.3"},
    };
    for (const auto& c : cases) EXPECT_EQ(displayFormat(c.v), c.text) << c.v;
}
