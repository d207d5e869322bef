#include <gtest/gtest.h>

#include "framework/windowmodel.h"
#include "tools/number/deposit.h"

using namespace kz;

TEST(Deposit, InterestForEachTerm) {
    struct Case {
        const char* principal;
        const char* term;
        const char* interest;
    };
    const Case cases[] = {
        {"10000", "三个月", "42.75"},
        {"10000", "六个月", "99"},
        {"10000", "一年", "225"},
        {"10000", "二年", "558"},
        {"10000", "三年", "999"},
        {"10000", "五年", "1800"},
        {"1000", "三个月", "4.275"},
        {"", "一年", "0"},
        {".", "五年", "0"},
        {"0.01", "一年", "0.000225"},
        {"99999999999999999999", "五年", "1.8E+19"},
    };
    for (const Case& c : cases) {
        Outcome o = depositInterest(c.principal, c.term);
        EXPECT_EQ(o.set.at("Text2"), c.interest) << c.principal << " " << c.term;
        EXPECT_TRUE(o.messages.empty());
    }
}

TEST(Deposit, WindowKeepsTheResultWithoutATermAndTheTermOverClear) {
    auto m = openWindowModel("Form18");
    m->edit("Text1", "1,000.5.0");
    EXPECT_EQ(m->state("Text1").text, "1000.50");
    m->press("Command1");
    EXPECT_EQ(m->state("Text2").text, "");
    EXPECT_TRUE(m->takeEvents().empty());
    m->edit("Combo1", "一年");
    m->press("Command1");
    EXPECT_EQ(m->state("Text2").text, "22.51125");
    m->press("Command2");
    EXPECT_EQ(m->state("Text2").text, "");
    EXPECT_EQ(m->state("Combo1").text, "一年");
}
