#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "tools/number/gcd.h"

using namespace kz;

TEST(Gcd, ResultsAndCaption) {
    struct Case {
        const char* row2;
        const char* row1;
        const char* result;
    };
    const Case cases[] = {
        {"18", "12", "6"},
        {"12", "18", "6"},
        {"100000", "70000", "10000"},
        {"70000", "100000", "10000"},
        {"9999999999", "9999999998", "1"},
        {"9999999999", "3333333333", "3333333333"},
        {"1", "1", "1"},
        {"2147483648", "4294967296", "2147483648"},
        {"65536", "98304", "32768"},
    };
    for (const auto& c : cases) {
        Outcome o = gcdCalculate(c.row2, c.row1);
        EXPECT_EQ(o.set.at("Label4"), "两数的最大公因数为");
        EXPECT_EQ(o.set.at("Label1"), c.result) << c.row1 << ", " << c.row2;
        EXPECT_TRUE(o.messages.empty());
        EXPECT_FALSE(o.failed);
    }
}

TEST(Gcd, NonPositiveInputChangesNothing) {
    for (auto [a, b] : {std::pair{"0", "5"}, {"5", ""}, {"", ""}, {"-4", "6"}, {"6", "-"}, {"-", "-"}}) {
        Outcome o = gcdCalculate(a, b);
        EXPECT_TRUE(o.set.empty());
        EXPECT_TRUE(o.messages.empty());
        EXPECT_FALSE(o.failed);
    }
}

TEST(Gcd, AgreesWithTheLibraryOverTheAdmittedRange) {
    std::mt19937_64 rng(20101);
    std::uniform_int_distribution<std::int64_t> any(1, 9999999999);
    for (int i = 0; i < 2000; ++i) {
        std::int64_t f = any(rng) % 100000 + 1;
        std::int64_t a = std::max<std::int64_t>(1, any(rng) / f) * f;
        std::int64_t b = std::max<std::int64_t>(1, any(rng) / f) * f;
        Outcome o = gcdCalculate(std::to_string(a), std::to_string(b));
        ASSERT_EQ(o.set.at("Label1"), std::to_string(std::gcd(a, b))) << a << ", " << b;
    }
}

TEST(Lcm, ResultsForEveryAdmittedPair) {
    struct Case {
        const char* a;
        const char* b;
        const char* result;
    };
    const Case cases[] = {
        {"4", "6", "12"},         {"181", "181", "181"}, {"200", "300", "600"},
        {"999", "998", "997002"}, {"1", "999", "999"},   {"12", "18", "36"},
    };
    for (const auto& c : cases) {
        Outcome o = lcmCalculate(c.a, c.b);
        EXPECT_EQ(o.set.at("Label1"), "两数的最小公倍数为");
        EXPECT_EQ(o.set.at("Label2"), c.result);
        EXPECT_TRUE(o.messages.empty());
    }
    for (int a = 1; a <= 999; a += 7)
        for (int b = 1; b <= 999; b += 11)
            ASSERT_EQ(lcmCalculate(std::to_string(a), std::to_string(b)).set.at("Label2"),
                      std::to_string(std::lcm(a, b)));
}

TEST(Lcm, ZeroOrNegativeIsRejectedOnceWithoutAStaleResult) {
    for (auto [a, b] : {std::pair{"0", "5"}, {"5", ""}, {"", ""}, {"-4", "6"}, {"-99", "-99"}}) {
        Outcome o = lcmCalculate(a, b);
        ASSERT_EQ(o.messages.size(), 1u);
        EXPECT_EQ(o.messages[0].text, "请输入两个非零的自然数！");
        EXPECT_EQ(o.messages[0].title, "错误");
        EXPECT_EQ(o.set.at("Label1"), "请输入两个自然数");
        EXPECT_EQ(o.set.at("Label2"), "");
        EXPECT_TRUE(o.failed);
    }
}
