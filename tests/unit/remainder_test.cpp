#include <gtest/gtest.h>

#include <sstream>

#include "app/toolsession.h"
#include "tools/number/remainder.h"

using namespace kz;

TEST(Remainder, QuotientAndRemainder) {
    struct Case {
        const char* a;
        const char* b;
        const char* q;
        const char* r;
    };
    const Case cases[] = {
        {"17", "5", "3", "2"},
        {"-17", "5", "-3", "-2"},
        {"17", "-5", "-3", "2"},
        {"-17", "-5", "3", "-2"},
        {"0", "5", "0", "0"},
        {"4", "7", "0", "4"},
        {"100", "7", "14", "2"},
        {"", "3", "0", "0"},
        {"17", "32767", "0", "17"},
        {"2147483647", "32767", "65538", "1"},
        {"-999999999", "-32768", "30517", "-18943"},
        {"-2147483648", "1", "-2147483648", "0"},
    };
    for (const auto& c : cases) {
        Outcome o = remainderCalculate(c.a, c.b);
        EXPECT_EQ(o.set.at("Text3"), c.q) << c.a << " / " << c.b;
        EXPECT_EQ(o.set.at("Text4"), c.r) << c.a << " / " << c.b;
        EXPECT_FALSE(o.failed);
        EXPECT_TRUE(o.messages.empty());
    }
}

TEST(Remainder, FailuresMarkBothOutputs) {
    const std::pair<const char*, const char*> cases[] = {
        {"17", "0"},      {"17", ""},          {"17", "-"},         {"17", "32768"},
        {"17", "-32769"}, {"9999999999", "5"}, {"2147483648", "1"}, {"-9999999999", "0"},
    };
    for (auto [a, b] : cases) {
        Outcome o = remainderCalculate(a, b);
        EXPECT_EQ(o.set.at("Text3"), "发生错误！") << a << " / " << b;
        EXPECT_EQ(o.set.at("Text4"), "发生错误！") << a << " / " << b;
        EXPECT_TRUE(o.failed);
        EXPECT_TRUE(o.messages.empty());  // the outputs carry the report
    }
}

TEST(Remainder, CopyStaysOffAfterAFailureUntilCalculateOrClear) {
    auto w = makeRemainderWindow();
    w->load();
    w->edit("Text1", "9999999999");
    w->edit("Text2", "5");
    w->press("Command1");
    EXPECT_FALSE(w->state("Command3").enabled);
    w->press("Command3");
    EXPECT_TRUE(w->takeEvents().empty());
    w->press("Command2");
    EXPECT_TRUE(w->state("Command3").enabled);
    EXPECT_EQ(w->state("Text3").text, "");
    w->press("Command3");  // nothing computed yet
    auto e = w->takeEvents();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].message.text, "计算结果出来后才可以复制！");
    w->edit("Text1", "17");
    w->edit("Text2", "32768");
    w->press("Command1");
    EXPECT_FALSE(w->state("Command3").enabled);
    w->edit("Text2", "5");
    w->press("Command1");
    EXPECT_TRUE(w->state("Command3").enabled);
}

TEST(Remainder, ToolSessionCopiesTheSchoolNotation) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"Form11", "Text1=17", "Text2=5", "press:Command1", "press:Command3"}, "clipboard: 17÷5＝3……2\n"},
        {{"Form11", "Text1=100", "Text2=7", "key:Enter", "press:Command3"}, "clipboard: 100÷7＝14……2\n"},
        {{"Form11", "Text1=-0017", "Text2=5x", "press:Command1", "press:Command3"}, "clipboard: -0017÷5＝-3……-2\n"},
    };
    for (const auto& [args, first] : cases) {
        std::ostringstream out, err;
        ASSERT_EQ(runToolSession(args, out, err), 0) << err.str();
        EXPECT_EQ(out.str().substr(0, std::string(first).size()), first);
    }
}
