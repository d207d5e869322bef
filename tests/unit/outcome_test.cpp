#include <gtest/gtest.h>

#include "framework/outcome.h"

using namespace kz;

// The carry-on rule as the tool windows use it: a failing step keeps the old
// value, a failing test runs what it guards, a failing loop end leaves the loop.
TEST(Calculation, CarriesOnAfterAFailingStep) {
    Calculation calc;
    int r = 7;
    calc.step([&] { r = intRemainder(1, 0); });
    calc.step([&] { r += 1; });
    EXPECT_EQ(r, 8);
    EXPECT_EQ(calc.failures(), std::vector<FailureKind>{FailureKind::DivisionByZero});
}

TEST(Calculation, FailingTestRunsWhatItGuards) {
    Calculation calc;
    bool guarded = calc.test([] { return toInt16(1e6) > 0; });
    EXPECT_TRUE(guarded);
    EXPECT_TRUE(calc.failed());
}

TEST(Calculation, FailingLoopEndLeavesTheLoop) {
    Calculation calc;
    int passes = 0;
    double v = 32000;
    do {
        ++passes;
        v += 500;
    } while (!calc.loopEnds([&] { return toInt16(v) == 0; }));
    EXPECT_EQ(passes, 2);
}

TEST(Calculation, StopAtFirstFailureSkipsTheRest) {
    Calculation calc(true);
    int steps = 0;
    calc.step([&] { fail(FailureKind::Overflow); });
    calc.step([&] { ++steps; });
    EXPECT_EQ(steps, 0);
    EXPECT_TRUE(calc.stopped());
    Outcome out;
    calc.reportTo(out);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0], (Message{"发生错误！", "错误", MessageIcon::Error}));
    EXPECT_TRUE(out.failed);
}
