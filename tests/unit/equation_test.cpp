#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tools/equation/linear.h"
#include "tools/equation/systems.h"

using namespace kz;

namespace {

std::string shown(const Outcome& o, const char* name) {
    auto it = o.set.find(name);
    return it == o.set.end() ? "<unset>" : it->second;
}

Texts twoUnknowns(const char* a1, const char* b1, const char* c1, const char* a2, const char* b2, const char* c2) {
    return {{"Text1", a1}, {"Text3", b1}, {"Text5", c1}, {"Text2", a2}, {"Text4", b2}, {"Text6", c2}};
}

Texts threeUnknowns(const std::vector<std::string>& v) {
    const char* names[] = {"Text8",  "Text9",  "Text11", "Text13", "Text7",  "Text10",
                           "Text12", "Text14", "Text15", "Text16", "Text17", "Text18"};
    Texts t;
    for (std::size_t i = 0; i < 12; ++i) t[names[i]] = v[i];
    return t;
}

// "x|y" for answers, the message text otherwise.
std::string result2(const Outcome& o) {
    if (!o.messages.empty()) return o.messages.size() == 1 ? o.messages[0].text : "several messages";
    return shown(o, "Label4") + "|" + shown(o, "Label5");
}

std::string result3(const Outcome& o) {
    if (!o.messages.empty()) return o.messages.size() == 1 ? o.messages[0].text : "several messages";
    return shown(o, "Text20") + "|" + shown(o, "Text21") + "|" + shown(o, "Text22");
}

}  // namespace

TEST(LinearEquation, Answers) {
    struct Case {
        const char *k, *b, *c, *x;
    };
    const Case cases[] = {
        {"2", "3", "11", "4"},
        {"4", "5", "3", "-0.5"},
        {"2", "1.5", "4", "1.25"},
        {"3", "0", "1", "0.333333333333333"},
        {".5", "0", "1", "2"},
        {"1", "1", "1", "0"},
        {".000000001", "0", "9999999999999999", "1E+25"},
    };
    for (const auto& c : cases) {
        const Outcome o = solveLinearEquation(c.k, c.b, c.c);
        EXPECT_TRUE(o.messages.empty());
        EXPECT_EQ(shown(o, "Text19"), c.x) << c.k << "x+" << c.b << "=" << c.c;
    }
}

TEST(LinearEquation, AnyUnreadableBoxOrZeroCoefficientIsOneFailureWithoutAnswer) {
    struct Case {
        const char *k, *b, *c;
    };
    for (const Case& c : {Case{"0", "1", "2"},
                          {"0", "2", "2"},
                          {"", "1", "2"},
                          {"2", "", "4"},
                          {"2", ".", "4"},
                          {"2", "1", ""},
                          {"", "", ""},
                          {"0.000", "1", "1"}}) {
        const Outcome o = solveLinearEquation(c.k, c.b, c.c);
        ASSERT_EQ(o.messages.size(), 1u) << c.k << "x+" << c.b << "=" << c.c;
        EXPECT_EQ(o.messages[0], (Message{"发生错误！", "错误", MessageIcon::Error}));
        EXPECT_TRUE(o.set.empty());
        EXPECT_TRUE(o.failed);
    }
}

TEST(TwoUnknowns, AnswersAndExactDecisions) {
    struct Case {
        Texts t;
        const char* result;
    };
    const Case cases[] = {
        {twoUnknowns("1", "1", "3", "1", "2", "5"), "1|2"},
        {twoUnknowns("2", "1", "1", "1", "1", "0"), "1|-1"},
        {twoUnknowns("3", "0", "1", "0", "1", "1"), "0.3333333|1"},
        {twoUnknowns("1", "1", "1", "3", "3", "3"), "该方程组有无数组解"},
        {twoUnknowns("1", "1", "1", "2", "2", "3"), "该方程组无解"},
        // Decimals that binary floating point cannot hold are decided exactly.
        {twoUnknowns("1", "1", "1", "0.1", "0.1", "1"), "该方程组无解"},
        {twoUnknowns("0.1", "0.3", "0.5", "0.3", "0.9", "1.5"), "该方程组有无数组解"},
        {twoUnknowns("0.1", "0.3", "0.5", "0.3", "0.9", "1.6"), "该方程组无解"},
        {twoUnknowns("0.1", "0.2", "0.3", "0.2", "0.1", "0.3"), "1|1"},
        // Sixteen-digit right-hand sides that a double cannot tell apart.
        {twoUnknowns("1", "1", "9999999999999999", "1", "1", "9999999999999998"), "该方程组无解"},
        {twoUnknowns("1", "1", ".000000000000001", "2", "2", ".000000000000002"), "该方程组有无数组解"},
        {twoUnknowns("1", "0", "12345678", "0", "1", "1"), "1.234568E+07|1"},
        // Equations 0 = c: consistent only when every c is 0.
        {twoUnknowns("0", "0", "1", "0", "0", "2"), "该方程组无解"},
        {twoUnknowns("0", "0", "0", "0", "0", "0"), "该方程组有无数组解"},
        {twoUnknowns("1", "1", "1", "0", "0", "0"), "该方程组有无数组解"},
    };
    for (const auto& c : cases) {
        const Outcome o = solveTwoUnknowns(c.t);
        EXPECT_EQ(result2(o), c.result) << c.t.at("Text1") << "," << c.t.at("Text3") << "," << c.t.at("Text5") << " / "
                                        << c.t.at("Text2") << "," << c.t.at("Text4") << "," << c.t.at("Text6");
        EXPECT_FALSE(o.failed);
        for (const Message& m : o.messages) {
            EXPECT_EQ(m.title, "Zorvan");
            EXPECT_EQ(m.icon, MessageIcon::Information);
        }
    }
}

TEST(TwoUnknowns, WholeCoefficientsBelowTwoToTheTwentyFourGiveTheRoundedQuotient) {
    std::mt19937 rng(2010);
    std::uniform_int_distribution<int> coef(0, 2000);
    for (int i = 0; i < 3000; ++i) {
        const int a1 = coef(rng), b1 = coef(rng), c1 = coef(rng), a2 = coef(rng), b2 = coef(rng), c2 = coef(rng);
        const auto s = [](int v) { return std::to_string(v); };
        const Outcome o = solveTwoUnknowns(
            twoUnknowns(s(a1).c_str(), s(b1).c_str(), s(c1).c_str(), s(a2).c_str(), s(b2).c_str(), s(c2).c_str()));
        const float d = static_cast<float>(a1) * b2 - static_cast<float>(a2) * b1;
        if (d == 0) {
            ASSERT_EQ(o.messages.size(), 1u);
            continue;
        }
        const float dx = static_cast<float>(c1) * b2 - static_cast<float>(b1) * c2;
        const float dy = static_cast<float>(a1) * c2 - static_cast<float>(a2) * c1;
        ASSERT_EQ(o.set.at("Label4"), singleToText(dx / d));
        ASSERT_EQ(o.set.at("Label5"), singleToText(dy / d));
    }
}

TEST(TwoUnknowns, UnreadableBoxOrAnswerBeyondSingleIsOneFailure) {
    const Texts cases[] = {
        twoUnknowns("1", "1", "3", "", "2", "5"),
        twoUnknowns("1", "", "3", "1", "2", "5"),
        twoUnknowns(".", ".", ".", ".", ".", "."),
        twoUnknowns("", "", "", "", "", ""),
        // x = 10^40 has no single-precision value.
        twoUnknowns("0.0000000000000000000000000000001", "0", "1000000000", "0", "1", "1"),
    };
    for (const Texts& t : cases) {
        const Outcome o = solveTwoUnknowns(t);
        ASSERT_EQ(o.messages.size(), 1u);
        EXPECT_EQ(o.messages[0], (Message{"发生错误！", "错误", MessageIcon::Error}));
        EXPECT_TRUE(o.set.empty());
        EXPECT_TRUE(o.failed);
    }
}

TEST(TwoUnknowns, NoUniqueSolutionEmptiesTheAnswers) {
    const Outcome o = solveTwoUnknowns(twoUnknowns("1", "1", "1", "2", "2", "3"));
    EXPECT_EQ(o.set.at("Label4"), "");
    EXPECT_EQ(o.set.at("Label5"), "");
}

TEST(ThreeUnknowns, AnswersAndExactDecisions) {
    struct Case {
        std::vector<std::string> t;
        const char* result;
    };
    const Case cases[] = {
        {{"1", "1", "1", "6", "1", "2", "1", "8", "1", "1", "2", "9"}, "1|2|3"},
        {{"1", "1", "1", "6", "1", "1", "1", "6", "1", "1", "1", "6"}, "该方程组有无数组解"},
        // Parallel planes: every determinant is 0, yet there is no solution.
        {{"1", "1", "1", "1", "1", "1", "1", "2", "1", "1", "1", "3"}, "该方程组无解"},
        {{"0.1", "0.2", "0.3", "0.6", "0.2", "0.4", "0.6", "1.2", "1", "0", "0", "1"}, "该方程组有无数组解"},
        {{"0.1", "0.2", "0.3", "0.6", "0.2", "0.4", "0.6", "1.3", "1", "0", "0", "1"}, "该方程组无解"},
        {{"2", "0", "0", "1", "0", "4", "0", "1", "0", "0", "8", "1"}, "0.5|0.25|0.125"},
        {{"1", "0", "0", "1", "0", "3", "0", "1", "0", "0", "7", "1"}, "1|0.3333333|0.1428571"},
        {{"1", "1", "0", "9999999999999999", "0", "1", "1", "0", "1", "0", "1", "9999999999999998"}, "1E+16|0.5|-0.5"},
    };
    for (const auto& c : cases) {
        const Outcome o = solveThreeUnknowns(threeUnknowns(c.t));
        EXPECT_EQ(result3(o), c.result) << c.t[0] << " " << c.t[3] << " " << c.t[7] << " " << c.t[11];
        EXPECT_FALSE(o.failed);
    }
}

TEST(ThreeUnknowns, UnreadableBoxIsOneFailureForTheWholeCalculation) {
    std::vector<std::string> v = {"1", "1", "1", "6", "1", "2", "1", "8", "1", "1", "2", "9"};
    for (std::size_t i = 0; i < v.size(); ++i) {
        auto w = v;
        w[i] = i % 2 ? "" : ".";
        const Outcome o = solveThreeUnknowns(threeUnknowns(w));
        ASSERT_EQ(o.messages.size(), 1u) << i;
        EXPECT_EQ(o.messages[0].text, "发生错误！");
        EXPECT_TRUE(o.set.empty());
        EXPECT_TRUE(o.failed);
    }
    for (auto& t : v) t = "";
    EXPECT_EQ(solveThreeUnknowns(threeUnknowns(v)).messages.size(), 1u);
}

TEST(LinearSystem, AnswersRoundToTheNearestSingleIncludingTheSmallest) {
    struct Case {
        const char *a, *c;
        float x;
    };
    const std::string big = "1" + std::string(45, '0');  // x = 1E-45: between 0 and the smallest single
    const std::string twoTo150 = "1427247692705959881058285969449495136382746624";  // x = 2^-150: half the smallest
    const Case cases[] = {
        {"3", "1", 1.0f / 3.0f},
        {big.c_str(), "1", std::numeric_limits<float>::denorm_min()},
        {"1", "340282346638528859811704183484516925440", std::numeric_limits<float>::max()},
        {big.c_str(), "0.5", 0.0f},
        {twoTo150.c_str(), "1", 0.0f},  // ties go to the even neighbour
        {twoTo150.c_str(), "3", 2 * std::numeric_limits<float>::denorm_min()},
        {"7", "-22", -22.0f / 7.0f},
    };
    for (const auto& c : cases) {
        const std::string_view t[] = {c.a, "0", c.c, "0", "1", "1"};
        const SystemSolution s = solveLinearSystem(t, 2);
        ASSERT_EQ(s.kind, Solvability::Unique);
        EXPECT_EQ(s.values[0], c.x) << c.a << " " << c.c;
    }
    // Just beyond the largest single, after rounding.
    const std::string_view over[] = {"1", "0", "340282356779733661637539395458142568448", "0", "1", "1"};
    EXPECT_THROW(solveLinearSystem(over, 2), NumFailure);
}
