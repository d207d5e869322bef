#include <gtest/gtest.h>

#include <sstream>

#include "app/toolsession.h"
#include "tools/number/primewindows.h"

using namespace kz;

TEST(PrimeJudge, VerdictAndDivisors) {
    struct Case {
        const char* input;
        const char* text;
    };
    const Case cases[] = {
        {"", "不是质数也不是合数"},
        {"0", "不是质数也不是合数"},
        {"1", "不是质数也不是合数"},
        {"-5", "不是质数也不是合数"},
        {"-", "不是质数也不是合数"},
        {"2", "是质数,它的因数有:1  2"},
        {"7", "是质数,它的因数有:1  7"},
        {"4", "是合数,它的因数有:1  2  4"},
        {"6", "是合数,它的因数有:1  2  3  6"},
        {"12", "是合数,它的因数有:1  2  3  4  6  12"},
        {"0049", "是合数,它的因数有:1  7  49"},
        {"9999991", "是质数,它的因数有:1  9999991"},
        {"9999999", "是合数,它的因数有:1  3  9  239  717  2151  4649  13947  41841  1111111  3333333  9999999"},
    };
    for (const auto& c : cases) {
        Outcome o = primeJudgeCalculate(c.input);
        EXPECT_EQ(o.set.at("Text2"), c.text) << c.input;
        EXPECT_TRUE(o.messages.empty());
    }
}

TEST(Factorization, ExactForEveryAdmittedInput) {
    struct Case {
        const char* input;
        const char* text;
    };
    const Case cases[] = {
        {"", ""},
        {"0", ""},
        {"-12", ""},
        {"-", ""},
        {"1", "它既不是质数，也不是合数"},
        {"0001", "它既不是质数，也不是合数"},
        {"2", "这是一个质数"},
        {"3", "这是一个质数"},
        {"97", "这是一个质数"},
        {"4", "2*2"},
        {"8", "2*2*2"},
        {"9", "3*3"},
        {"12", "2*2*3"},
        {"14", "2*7"},
        {"25", "5*5"},
        {"360", "2*2*2*3*3*5"},
        {"1024", "2*2*2*2*2*2*2*2*2*2"},
        // Beyond 2^53: every digit counts and factors are written in full.
        {"9999999999999999999999999", "3*3*41*271*21401*25601*182521213001"},
        {"9999999999999999999999991", "107*21569*390110923*11107033999"},
        {"1000000000000000000000007", "这是一个质数"},
        {"9348729337461906045745471", "1816779007997*5145771332843"},
        {"1234567890123456789012345", "3*5*31*41*443*863*13241*12792129877"},
    };
    for (const auto& c : cases) {
        Outcome o = factorizeCalculate(c.input);
        EXPECT_EQ(o.set.at("Text2"), c.text) << c.input;
        EXPECT_TRUE(o.messages.empty());
    }
}

TEST(Factorization, StoppedWorkChangesNothing) {
    std::stop_source s;
    s.request_stop();
    Outcome o = factorizeCalculate("9348729337461906045745471", s.get_token());
    EXPECT_TRUE(o.set.empty());
    EXPECT_TRUE(o.messages.empty());
}

TEST(Factorization, RunsAsAJobAndDropsAnswersForAnotherNumber) {
    const char* n = "9348729337461906045745471";
    const char* factors = "1816779007997*5145771332843";
    struct Case {
        const char* name;
        std::function<void(WindowModel&)> meanwhile;
        const char* text1;
        const char* text2;
    };
    const Case cases[] = {
        {"untouched", [](WindowModel&) {}, n, factors},
        {"cleared", [](WindowModel& w) { w.press("Command2"); }, "", ""},
        {"typed over", [](WindowModel& w) { w.edit("Text1", "12"); }, "12", ""},
        {"typed back",
         [&](WindowModel& w) {
             w.edit("Text1", "1");
             w.edit("Text1", n);
         },
         n, factors},
    };
    for (const auto& c : cases) {
        auto w = makeFactorizationWindow();
        w->load();
        EXPECT_EQ(w->takeFocusRequest(), "Text1");
        w->edit("Text1", "12");
        w->press("Command1");
        settleJobs(*w);
        ASSERT_EQ(w->state("Text2").text, "2*2*3");
        w->edit("Text1", n);
        w->press("Command1");
        // The old answer goes at once; Calculate waits for the new one.
        EXPECT_EQ(w->state("Text2").text, "") << c.name;
        EXPECT_TRUE(w->busy());
        EXPECT_FALSE(w->state("Command1").enabled);
        w->press("Command1");  // ignored while busy
        auto job = w->takeJob();
        ASSERT_TRUE(job);
        EXPECT_FALSE(w->takeJob());
        c.meanwhile(*w);
        std::stop_source never;
        w->finishJob((*job)(never.get_token()));
        EXPECT_TRUE(w->state("Command1").enabled) << c.name;
        EXPECT_EQ(w->state("Text1").text, c.text1) << c.name;
        EXPECT_EQ(w->state("Text2").text, c.text2) << c.name;
    }
}

TEST(Factorization, ToolSessionWritesFullDigits) {
    std::ostringstream out, err;
    ASSERT_EQ(
        runToolSession({"Form40", "Text1=12345678901234567890123456789", "press:Command1", "press:Command3"}, out, err),
        0);
    // Cut to 25 characters by the box.
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')), "clipboard: 3*5*31*41*443*863*13241*12792129877");
}
