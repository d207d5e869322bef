#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "tools/fraction/arithmetic.h"
#include "tools/fraction/conversion.h"

using namespace kz;

namespace {

// The one message of an outcome, or "" when there is none.
std::string onlyMessage(const Outcome& o) {
    if (o.messages.empty()) return "";
    EXPECT_EQ(o.messages.size(), 1u);
    EXPECT_EQ(o.messages[0].title, "错误");
    EXPECT_EQ(o.messages[0].icon, MessageIcon::Error);
    return o.messages[0].text;
}

std::string shown(const Outcome& o, const char* name) {
    auto it = o.set.find(name);
    return it == o.set.end() ? "<unset>" : it->second;
}

}  // namespace

TEST(FractionArithmetic, ResultsReducedWithTheSignWhereTheOperationPutIt) {
    struct Case {
        const char *a, *b, *c, *d;
        FractionOp op;
        const char *num, *den;
    };
    const Case cases[] = {
        {"1", "2", "1", "3", FractionOp::Add, "5", "6"},
        {"1", "2", "7", "7", FractionOp::Multiply, "1", "2"},
        {"1", "11", "10", "11", FractionOp::Add, "1", "1"},
        {"1", "2", "1", "2", FractionOp::Subtract, "0", "1"},
        {"1", "2", "3", "4", FractionOp::Divide, "2", "3"},
        {"1", "2", "-1", "3", FractionOp::Divide, "3", "-2"},
        {"1", "3", "1", "2", FractionOp::Subtract, "-1", "6"},
        {"-3", "4", "2", "3", FractionOp::Multiply, "-1", "2"},
        {"32767", "1", "32767", "1", FractionOp::Add, "65534", "1"},
        {"-32768", "32767", "-32768", "32767", FractionOp::Multiply, "1073741824", "1073676289"},
    };
    for (const auto& c : cases) {
        const Outcome o = fractionArithmetic(c.a, c.b, c.c, c.d, c.op);
        EXPECT_EQ(onlyMessage(o), "") << c.a << "/" << c.b << " " << c.c << "/" << c.d;
        EXPECT_EQ(shown(o, "Text5"), c.num) << c.a << "/" << c.b << " " << c.c << "/" << c.d;
        EXPECT_EQ(shown(o, "Text6"), c.den) << c.a << "/" << c.b << " " << c.c << "/" << c.d;
        EXPECT_FALSE(o.failed);
    }
}

TEST(FractionArithmetic, RejectionsAndFailuresEndTheCalculationWithOneMessage) {
    struct Case {
        const char *a, *b, *c, *d;
        FractionOp op;
        const char* message;
        const char* rewritten[4];  // what each box became, "<unset>" when not read
    };
    const Case cases[] = {
        {"1", "", "1", "3", FractionOp::Add, "分母不得为零！", {"1", "0", "1", "3"}},
        {"1", "2", "1", "0", FractionOp::None, "分母不得为零！", {"1", "2", "1", "0"}},
        {"007", "2", "1", "3", FractionOp::None, "请选择运算符号！", {"7", "2", "1", "3"}},
        {"1", "2", "0", "5", FractionOp::Divide, "除数不能为零！", {"1", "2", "0", "5"}},
        {"1", "2", "-", "5", FractionOp::Divide, "除数不能为零！", {"1", "2", "0", "5"}},
        {"-32768",
         "-32768",
         "-32768",
         "-32768",
         FractionOp::Add,
         "发生错误！",
         {"-32768", "-32768", "-32768", "-32768"}},
        {"1", "2", "99999", "3", FractionOp::Add, "发生错误！", {"1", "2", "<unset>", "<unset>"}},
        {"32768", "2", "1", "3", FractionOp::Add, "发生错误！", {"<unset>", "<unset>", "<unset>", "<unset>"}},
    };
    for (const auto& c : cases) {
        const Outcome o = fractionArithmetic(c.a, c.b, c.c, c.d, c.op);
        EXPECT_EQ(onlyMessage(o), c.message) << c.a << "/" << c.b << " " << c.c << "/" << c.d;
        EXPECT_TRUE(o.failed);
        EXPECT_EQ(shown(o, "Text5"), "<unset>");
        EXPECT_EQ(shown(o, "Text6"), "<unset>");
        const char* boxes[] = {"Text1", "Text2", "Text3", "Text4"};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(shown(o, boxes[i]), c.rewritten[i]) << boxes[i];
    }
}

TEST(FractionArithmetic, SumOverflowsOnlyBeyondThirtyTwoBits) {
    // 2·(32767·32767) fits; 2·(32768·32768) does not.
    EXPECT_FALSE(fractionArithmetic("32767", "32767", "32767", "32767", FractionOp::Add).failed);
    EXPECT_FALSE(fractionArithmetic("-32768", "32767", "-32768", "32767", FractionOp::Subtract).failed);
    EXPECT_TRUE(fractionArithmetic("-32768", "-32768", "-32768", "-32768", FractionOp::Add).failed);
}

TEST(FractionReduction, LowestTermsWithTheSignOnTheNumerator) {
    struct Case {
        const char *a, *b, *num, *den;
    };
    const Case cases[] = {
        {"6", "8", "3", "4"},           {"12", "4", "3", "1"},          {"7", "7", "1", "1"},
        {"-6", "8", "-3", "4"},         {"6", "-8", "-3", "4"},         {"-6", "-8", "3", "4"},
        {"0", "5", "0", "1"},           {"0", "-5", "0", "1"},          {"", "7", "0", "1"},
        {"-", "3", "0", "1"},           {"999999", "3", "333333", "1"}, {"1", "999999", "1", "999999"},
        {"-99999", "-99999", "1", "1"}, {"17", "51", "1", "3"},
    };
    for (const auto& c : cases) {
        const Outcome o = reduceFraction(c.a, c.b);
        EXPECT_EQ(onlyMessage(o), "") << c.a << "/" << c.b;
        EXPECT_EQ(shown(o, "Text3"), c.num) << c.a << "/" << c.b;
        EXPECT_EQ(shown(o, "Text4"), c.den) << c.a << "/" << c.b;
    }
}

TEST(FractionReduction, ZeroOrEmptyDenominatorIsRejectedWithoutOutput) {
    for (const char* den : {"0", "", "-", "-0", "000"})
        for (const char* num : {"0", "5", "-5", ""}) {
            const Outcome o = reduceFraction(num, den);
            EXPECT_EQ(onlyMessage(o), "分母不得为零！") << num << "/" << den;
            EXPECT_TRUE(o.set.empty());
            EXPECT_TRUE(o.failed);
        }
}

TEST(FractionReduction, AgreesWithTheDefinitionOverSignedValues) {
    for (int a = -60; a <= 60; a += 7)
        for (int b = -60; b <= 60; b += 5) {
            if (b == 0) continue;
            const Outcome o = reduceFraction(std::to_string(a), std::to_string(b));
            const long num = std::stol(o.set.at("Text3")), den = std::stol(o.set.at("Text4"));
            ASSERT_GT(den, 0) << a << "/" << b;
            ASSERT_EQ(std::gcd(num, den), 1) << a << "/" << b;
            ASSERT_EQ(num * b, static_cast<long>(a) * den) << a << "/" << b;
        }
}

TEST(FractionComparison, RelationOfTheValues) {
    struct Case {
        const char *a, *b, *c, *d, *sign;
    };
    const Case cases[] = {
        {"1", "2", "2", "3", "<"}, {"4", "6", "2", "3", "="},           {"-1", "2", "1", "-2", "="},
        {"3", "4", "2", "3", ">"}, {"1", "3", "333333", "999999", "="}, {"333333", "999998", "1", "3", ">"},
        {"", "5", "0", "-7", "="}, {"-1", "3", "-1", "4", "<"},         {"999999", "999998", "999998", "999997", "<"},
    };
    for (const auto& c : cases) {
        const Outcome o = compareFractions(c.a, c.b, c.c, c.d);
        EXPECT_EQ(onlyMessage(o), "");
        EXPECT_EQ(shown(o, "Label1"), c.sign) << c.a << "/" << c.b << " " << c.c << "/" << c.d;
    }
}

TEST(FractionComparison, ZeroDenominatorIsOneFailureAndKeepsTheSign) {
    for (auto [b, d] : {std::pair{"0", "3"}, {"3", ""}, {"", ""}, {"-", "2"}}) {
        const Outcome o = compareFractions("1", b, "1", d);
        EXPECT_EQ(onlyMessage(o), "发生错误！");
        EXPECT_TRUE(o.set.empty());
    }
}

TEST(FractionConversion, ImproperToMixed) {
    struct Case {
        const char *n, *d, *whole, *rest, *den;
    };
    const Case cases[] = {
        {"9", "4", "2", "1", "4"}, {"10", "4", "2", "2", "4"},          {"3", "4", "0", "3", "4"},
        {"8", "4", "2", "0", "4"}, {"7.5", "4", "2", "0", "4"},         {"7", "2.5", "3", "1", "2.5"},
        {"0", "7", "0", "0", "7"}, {"999999", "1", "999999", "0", "1"}, {" 9 ", "4", "2", "1", "4"},
    };
    for (const auto& c : cases) {
        const Outcome o = improperToMixed(c.n, c.d);
        EXPECT_EQ(onlyMessage(o), "") << c.n << "/" << c.d;
        EXPECT_EQ(shown(o, "Text3"), c.whole) << c.n << "/" << c.d;
        EXPECT_EQ(shown(o, "Text4"), c.rest) << c.n << "/" << c.d;
        EXPECT_EQ(shown(o, "Text5"), c.den) << c.n << "/" << c.d;
    }
}

TEST(FractionConversion, MixedToImproper) {
    struct Case {
        const char *w, *n, *d, *num;
    };
    const Case cases[] = {
        {"2", "1", "4", "9"},
        {"0", ".00001", "1", "1E-05"},
        {"3", "0", "5", "15"},
        {"1.5", "2", "4", "8"},
        {"999", "999999", "999999", "999999000"},
    };
    for (const auto& c : cases) {
        const Outcome o = mixedToImproper(c.w, c.n, c.d);
        EXPECT_EQ(onlyMessage(o), "");
        EXPECT_EQ(shown(o, "Text10"), c.num);
        EXPECT_EQ(shown(o, "Text9"), c.d);
    }
}

TEST(FractionConversion, FailureInEitherModeIsOneMessageAndNoOutput) {
    for (auto [n, d] : {std::pair{"9", "0"}, {"9", ""}, {"", "4"}, {".", "4"}, {"9", "0.4"}, {"9", "."}}) {
        const Outcome o = improperToMixed(n, d);
        EXPECT_EQ(onlyMessage(o), "发生错误！") << n << "/" << d;
        EXPECT_TRUE(o.set.empty()) << n << "/" << d;
        EXPECT_TRUE(o.failed);
    }
    struct Mixed {
        const char *w, *n, *d;
    };
    for (const Mixed& m : {Mixed{"1", "1", "0"}, {"1", "1", ""}, {"", "1", "4"}, {"1", ".", "4"}, {"2", "1", ".0"}}) {
        const Outcome o = mixedToImproper(m.w, m.n, m.d);
        EXPECT_EQ(onlyMessage(o), "发生错误！") << m.w << " " << m.n << "/" << m.d;
        EXPECT_TRUE(o.set.empty());
        EXPECT_TRUE(o.failed);
    }
}
