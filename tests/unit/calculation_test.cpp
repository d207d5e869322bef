#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/outcome.h"

using namespace kz;

// What callers that keep going after a failure need to know of each step.
TEST(Calculation, StepSaysWhetherItRanThrough) {
    Calculation calc;
    int r = 0;
    EXPECT_TRUE(calc.step([&] { r = intQuotient(7, 2); }));
    EXPECT_FALSE(calc.step([&] { r = toInt16(1e6); }));
    EXPECT_EQ(calc.lastFailure(), FailureKind::Overflow);
    EXPECT_FALSE(calc.step([&] { r = intRemainder(1, 0); }));
    EXPECT_EQ(calc.lastFailure(), FailureKind::DivisionByZero);
    EXPECT_EQ(r, 3);

    Calculation stopping(true);
    EXPECT_FALSE(stopping.step([] { toInt16(1e6); }));
    bool ran = false;
    EXPECT_FALSE(stopping.step([&] { ran = true; }));  // stopped: does not run
    EXPECT_FALSE(ran);
}

TEST(Calculation, ReportsOneTextPerFailure) {
    Calculation calc;
    std::vector<std::string> messages{"earlier"};
    calc.reportTo(messages, "发生错误");
    EXPECT_EQ(messages, std::vector<std::string>{"earlier"});
    calc.step([] { toInt32(1e10); });
    calc.step([] { toInt32(-1e10); });
    calc.reportTo(messages, "发生错误");
    EXPECT_EQ(messages, (std::vector<std::string>{"earlier", "发生错误", "发生错误"}));
}
