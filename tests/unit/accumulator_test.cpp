#include <gtest/gtest.h>

#include "tools/number/accumulator.h"

using namespace kz;

TEST(Accumulator, SumOfTheSequence) {
    struct Case {
        const char* a;
        const char* b;
        const char* n;
        const char* sum;
    };
    const Case cases[] = {
        {"1", "100", "100", "5050"},
        {"1", "2", "2", "3"},
        {"1", "4", "3", "7.5"},
        {"-5", "5", "11", "0"},
        {"", "", "", "0"},
        {"7", "9", "", "0"},
        {"-", "-", "-", "0"},
        {"3", "", "4", "6"},
        // Fifteen digits each: far from any overflow, written in exponent form.
        {"999999999999999", "999999999999999", "999999999999999", "9.99999999999998E+29"},
        {"-999999999999999", "-999999999999999", "2", "-2E+15"},
    };
    for (const auto& c : cases) {
        Outcome o = accumulatorCalculate(c.a, c.b, c.n);
        EXPECT_EQ(o.set.at("Text4"), c.sum) << c.a << ", " << c.b << ", " << c.n;
        EXPECT_TRUE(o.messages.empty());
    }
}

TEST(Accumulator, WindowCopiesTheSumAndClearsEveryBox) {
    auto w = makeAccumulatorWindow();
    w->load();
    w->edit("Text1", "1a");
    w->edit("Text2", "100");
    w->edit("Text3", "100");
    w->key("Enter");
    EXPECT_EQ(w->state("Text4").text, "5050");
    w->press("Command3");
    auto e = w->takeEvents();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].text, "5050");
    w->press("Command2");
    for (const char* box : {"Text1", "Text2", "Text3", "Text4"}) EXPECT_EQ(w->state(box).text, "") << box;
}
