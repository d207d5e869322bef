#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/toolsession.h"
#include "framework/windowmodel.h"
#include "tools/wordproblem/wordproblems.h"

using namespace kz;

namespace {

std::unique_ptr<WindowModel> open(const char* form) {
    auto m = openWindowModel(form);
    EXPECT_NE(m, nullptr) << form;
    return m;
}

std::string text(const WindowModel& m, const char* name) { return m.state(name).text; }

int failureMessages(const std::vector<WindowEvent>& events) {
    int n = 0;
    for (const auto& e : events)
        if (e.kind == WindowEvent::Kind::Message && e.message.text == "发生错误！" && e.message.title == "错误") ++n;
    return n;
}

std::string clipboardOf(const std::vector<WindowEvent>& events) {
    for (const auto& e : events)
        if (e.kind == WindowEvent::Kind::Clipboard) return e.text;
    return "<none>";
}

// A calculation's result boxes, or "" for a box it leaves alone.
std::string shown(const Outcome& o, const char* box) {
    auto it = o.set.find(box);
    return it == o.set.end() ? "" : it->second;
}

}  // namespace

TEST(Chickens, ResultsAndRejectionsInTheirOrder) {
    struct Case {
        const char* heads;
        const char* feet;
        const char* text3;
        const char* text4;
    };
    const Case cases[] = {
        {"35", "94", "12", "23"},
        {"1", "2", "0", "1"},
        {"1", "4", "1", "0"},
        {"35", "7", "输入有误！", "脚的个数必须为偶数！"},
        {"0", "-7", "输入有误！", "脚的个数必须为偶数！"},  // odd before anything else
        {"99", "", "输入有误！", "脚的个数必须大于2！"},
        {"-", "-", "输入有误！", "脚的个数必须大于2！"},
        {"10", "4", "输入有误！", "比例有误！"},  // before the heads test
        {"0", "4", "输入有误！", "头的个数不能等于0！"},
        {"3", "14", "输入有误！", "脚的个数输入过大！"},
        {"-5", "4", "输入有误！", "脚的个数输入过大！"},
        {"5", "8", "输入有误！", "脚的个数输入过小！"},
        {"9999999999999999999", "32766", "输入有误！", "比例有误！"},
        {"8192", "32766", "8191", "1"},
    };
    for (const Case& c : cases) {
        Outcome o = chickensCalculate(c.heads, c.feet);
        EXPECT_EQ(shown(o, "Text3"), c.text3) << c.heads << " " << c.feet;
        EXPECT_EQ(shown(o, "Text4"), c.text4) << c.heads << " " << c.feet;
        EXPECT_TRUE(o.messages.empty());
        EXPECT_EQ(o.failed, std::string(c.text3) == "输入有误！");
    }
}

TEST(Chickens, FeetBeyondSixteenBitsFailOnceAndKeepTheLastAnswer) {
    auto m = open("Form7");
    m->edit("Text1", "35");
    m->edit("Text2", "94");
    m->press("Command1");
    m->edit("Text2", "40000");
    m->press("Command1");
    EXPECT_EQ(failureMessages(m->takeEvents()), 1);
    EXPECT_EQ(text(*m, "Text3"), "12");
    EXPECT_EQ(text(*m, "Text4"), "23");
    EXPECT_FALSE(m->state("Command3").enabled);
    m->edit("Text2", "-32769");
    m->press("Command1");
    EXPECT_EQ(failureMessages(m->takeEvents()), 1);
    EXPECT_EQ(text(*m, "Text3"), "12");
    m->edit("Text2", "94");
    m->press("Command1");
    EXPECT_TRUE(m->state("Command3").enabled);
    m->press("Command3");
    EXPECT_EQ(clipboardOf(m->takeEvents()), "兔的个数：12；鸡的个数：23。");
}

TEST(Chickens, RejectionDisablesCopyUntilClearOrASuccess) {
    auto m = open("Form7");
    m->edit("Text2", "7");
    m->press("Command1");
    EXPECT_EQ(text(*m, "Text3"), "输入有误！");
    EXPECT_FALSE(m->state("Command3").enabled);
    m->press("Command2");
    EXPECT_TRUE(m->state("Command3").enabled);
    for (const char* b : {"Text1", "Text2", "Text3", "Text4"}) EXPECT_EQ(text(*m, b), "");
}

TEST(TwoNumbers, ResultsRejectionAndFailures) {
    using Fn = Outcome (*)(std::string_view, std::string_view);
    struct Case {
        Fn fn;
        const char* a;
        const char* b;
        const char* small;
        const char* large;
        int messages;
    };
    const Case cases[] = {
        {sumDifferenceCalculate, "192", "8", "92", "100", 0},
        {sumDifferenceCalculate, "10", "3.5", "3.25", "6.75", 0},  // the difference as typed
        {sumDifferenceCalculate, "10", "2.5", "3.75", "6.25", 0},
        {sumDifferenceCalculate, "8", "8", "0", "8", 0},
        {sumDifferenceCalculate, "5", "8", "输入有误！", "和必须大于差！", 0},
        {sumDifferenceCalculate, "10", "40000", "输入有误！", "和必须大于差！", 0},
        {sumMultipleCalculate, "160", "3", "40", "120", 0},
        {sumMultipleCalculate, "160", "2.5", "45.7142857142857", "114.285714285714", 0},  // the multiple as typed
        {sumMultipleCalculate, "160", "0", "160", "0", 0},
        {sumMultipleCalculate, "160", "32767", "0.0048828125", "159.9951171875", 0},
        {sumMultipleCalculate, "1", "2", "0.333333333333333", "0.666666666666667", 0},
        {differenceMultipleCalculate, "72", "5", "18", "90", 0},
        {differenceMultipleCalculate, "3", "2.5", "2", "5", 0},
        {differenceMultipleCalculate, "3", "0.5", "-6", "-3", 0},
        {differenceMultipleCalculate, "72", "1", "", "", 1},
        {differenceMultipleCalculate, "", "1", "", "", 1},
        {differenceMultipleCalculate, "1", "4", "0.333333333333333", "1.33333333333333", 0},
    };
    for (const Case& c : cases) {
        Outcome o = c.fn(c.a, c.b);
        EXPECT_EQ(shown(o, "Text3"), c.small) << c.a << " " << c.b;
        EXPECT_EQ(shown(o, "Text4"), c.large) << c.a << " " << c.b;
        EXPECT_EQ(static_cast<int>(o.messages.size()), c.messages) << c.a << " " << c.b;
    }
}

TEST(TwoNumbers, AFailedQuotientLeavesBothAnswersAsTheyWere) {
    auto m = open("Form22");
    m->edit("Text1", "72");
    m->edit("Text2", "5");
    m->press("Command1");
    m->edit("Text2", "1");
    m->press("Command1");
    EXPECT_EQ(failureMessages(m->takeEvents()), 1);
    EXPECT_EQ(text(*m, "Text3"), "18");
    EXPECT_EQ(text(*m, "Text4"), "90");  // not 18 + 72 from the old answer
    EXPECT_FALSE(m->state("Command3").enabled);

    auto fresh = open("Form22");
    fresh->edit("Text2", "1");
    fresh->press("Command1");
    EXPECT_EQ(failureMessages(fresh->takeEvents()), 1);
    EXPECT_EQ(text(*fresh, "Text3"), "");
    EXPECT_EQ(text(*fresh, "Text4"), "");
}

TEST(TwoNumbers, WindowsCopyTheTwoAnswers) {
    struct Case {
        const char* form;
        const char* a;
        const char* b;
        const char* label1;
        const char* label2;
        const char* copied;
    };
    for (const Case& c : {Case{"Form19", "192", "8", "两数之和", "两数之差", "小数：92；大数：100。"},
                          Case{"Form21", "160", "3", "两数之和", "倍数关系", "小数：40；大数：120。"},
                          Case{"Form22", "72", "5", "两数之差", "倍数关系", "小数：18；大数：90。"}}) {
        auto m = open(c.form);
        EXPECT_EQ(text(*m, "Label1"), c.label1);
        EXPECT_EQ(text(*m, "Label2"), c.label2);
        m->press("Command3");
        EXPECT_EQ(m->takeEvents().at(0).message.text, "计算结果出来后才可以复制！");
        m->edit("Text1", c.a);
        m->edit("Text2", c.b);
        m->press("Command1");
        m->press("Command3");
        EXPECT_EQ(clipboardOf(m->takeEvents()), c.copied) << c.form;
    }
    auto m = open("Form19");
    m->edit("Text1", "5");
    m->edit("Text2", "8");
    m->press("Command1");
    EXPECT_FALSE(m->state("Command3").enabled);
    m->edit("Text1", "192");
    m->press("Command1");
    EXPECT_TRUE(m->state("Command3").enabled);
}

TEST(Surplus, SharesRejectionsAndZeroDifference) {
    struct Case {
        std::size_t which;
        const char* a;
        const char* b;
        const char* d;
        const char* text4;
        bool failed;
        int messages;
    };
    const Case cases[] = {
        {0, "3", "20", "1", "23", false, 0},
        {1, "25", "8", "1", "17", false, 0},
        {1, "8", "25", "1", "大盈必须大于小盈！", true, 0},
        {1, "8", "8", "0", "大盈必须大于小盈！", true, 0},  // the rejection comes before the division
        {2, "83", "21", "2", "31", false, 0},
        {2, "21", "21", "2", "大亏必须大于小亏！", true, 0},
        {0, "3", "20", "", "", true, 1},
        {0, "", "", "0", "", true, 1},
        {0, "1", "2", "4", "0.75", false, 0},
    };
    for (const Case& c : cases) {
        Outcome o = surplusCalculate(c.which, c.a, c.b, c.d);
        EXPECT_EQ(shown(o, "Text4"), c.text4) << c.which << " " << c.a << " " << c.b << " " << c.d;
        EXPECT_EQ(o.failed, c.failed);
        EXPECT_EQ(static_cast<int>(o.messages.size()), c.messages);
    }
}

TEST(Cows, StrictReadingAndFailures) {
    struct Case {
        std::size_t which;
        const char* x;
        const char* y;
        const char* g;
        const char* text5;
    };
    const Case cases[] = {
        {0, "23", "6", "3", "120"}, {1, "120", "23", "3", "6"},
        {2, "120", "6", "3", "23"}, {0, " 23 ", "6", "3", "120"},
        {0, "2", "6", "3", "-6"},   {1, "120", "3", "3", ""},
        {2, "120", "0", "3", ""},   {0, "", "6", "3", ""},
        {1, "120", ".", "3", ""},   {2, "1", "3", "0", "0.333333333333333"},
    };
    for (const Case& c : cases) {
        Outcome o = cowsCalculate(c.which, c.x, c.y, c.g);
        EXPECT_EQ(shown(o, "Text5"), c.text5) << c.which << " " << c.x << " " << c.y << " " << c.g;
        const bool failure = std::string(c.text5).empty();
        EXPECT_EQ(o.failed, failure);
        EXPECT_EQ(o.messages.size(), failure ? 1u : 0u);  // one message, never a result from 0
    }
}

TEST(Travel, TrainsAndBoats) {
    struct Case {
        std::size_t which;
        const char* a;
        const char* u;
        const char* b;
        const char* v;
        const char* text5;
    };
    const Case trains[] = {
        {0, "163", "29", "152", "34", "5"}, {1, "125", "17", "140", "22", "53"}, {1, "125", "22", "140", "17", "-53"},
        {1, "125", "20", "140", "20", ""},  {0, "1", "", "1", "0", ""},
    };
    for (const Case& c : trains) {
        Outcome o = trainCalculate(c.which, c.a, c.u, c.b, c.v);
        EXPECT_EQ(shown(o, "Text5"), c.text5) << c.which << " " << c.a << " " << c.u;
        EXPECT_EQ(o.messages.size(), std::string(c.text5).empty() ? 1u : 0u);
    }
    EXPECT_EQ(shown(riverCalculate(0, "20", "12"), "Text5"), "16");
    EXPECT_EQ(shown(riverCalculate(1, "20", "12"), "Text5"), "4");
    EXPECT_EQ(shown(riverCalculate(1, "12", "20"), "Text5"), "-4");
    EXPECT_EQ(shown(riverCalculate(0, "", ""), "Text5"), "0");
}

// Each case of a window: its key, and the labels it captions.
struct CaseRow {
    const char* form;
    const char* key;
    const char* option;
    std::vector<std::pair<const char*, const char*>> captions;
};

const CaseRow kCases[] = {
    {"Form23",
     "S",
     "Option2",
     {{"Label1", "大盈"},
      {"Label2", "小盈"},
      {"Label8", "分配数的差"},
      {"Label3", "份数"},
      {"Label7", "例题：老师给同学分梨，如果每人分2个，则多25个；如果每人分3个，则多8个。有多少个同学？多少个梨？"}}},
    {"Form23",
     "H",
     "Option3",
     {{"Label1", "大亏"},
      {"Label2", "小亏"},
      {"Label7", "例题：老师给同学分梨，如果每人分4个，则少21个；如果每人分6个，则少83个。有多少个同学？多少个梨？"}}},
    {"Form39",
     "N",
     "Option2",
     {{"Label1", "草坪原有草量"},
      {"Label2", "吃草牛的数量"},
      {"Label3", "草的生长速度"},
      {"Label8", "牛吃草的天数"},
      {"Label5",
       "例题：有一块长满草的草坪，原有120千克草，每天新长出3千克草，由23头牛每天吃草。像这样连续吃多少天就可以把草吃完"
       "？"}}},
    {"Form39",
     "H",
     "Option4",
     {{"Label1", "草坪原有草量"},
      {"Label2", "牛吃草的天数"},
      {"Label8", "吃草牛的数量"},
      {"Label5",
       "例题：有一块长满草的草坪，原有120千克草，每天新长出3千克草，由一些牛每天吃草，连续吃6天吃完。有多少头牛在吃草"
       "？"}}},
    {"Form29",
     "H",
     "Option2",
     {{"Label1", "甲车长度"},
      {"Label8", "甲车速度"},
      {"Label2", "乙车长度"},
      {"Label4", "乙车速度"},
      {"Label3", "超车时间"},
      {"Label7",
       "例题：甲车长125米，速度为17米/秒；乙车长140米，速度为22米/秒。乙车从后面追上到超过甲车需要多少秒？"}}},
    {"Form30",
     "S",
     "Option2",
     {{"Label1", "顺水速度"},
      {"Label8", "逆水速度"},
      {"Label3", "水速"},
      {"Label7", "例题：一轮船在河中顺水而下时速度为20千米/时，逆流而上时速度为12千米/时。这时的水速是多少？"}}},
};

TEST(WordCases, KeysSwitchCaptionsAndEmptyTheBoxes) {
    for (const CaseRow& c : kCases) {
        SCOPED_TRACE(std::string(c.form) + " " + c.option);
        auto m = open(c.form);
        std::vector<std::string> boxes;
        for (const ControlDecl& d : m->decl().controls)
            if (d.kind == ControlKind::Input || d.kind == ControlKind::Output) boxes.push_back(d.name);
        for (const auto& b : boxes)
            if (m->declOf(b).kind == ControlKind::Input) m->edit(b, "7");
        m->press("Command1");
        EXPECT_TRUE(m->key(c.key));
        EXPECT_TRUE(m->state(c.option).checked);
        for (const auto& [name, caption] : c.captions) EXPECT_EQ(text(*m, name), caption) << name;
        for (const auto& b : boxes) EXPECT_EQ(m->state(b).text, "") << b;
    }
}

TEST(WordCases, OpeningCaptions) {
    auto m = open("Form23");
    EXPECT_EQ(text(*m, "Label1"), "盈");
    EXPECT_EQ(text(*m, "Label2"), "亏");
    m = open("Form39");
    EXPECT_EQ(text(*m, "Label1"), "吃草牛的数量");
    EXPECT_EQ(text(*m, "Label8"), "草坪原有草量");
    m = open("Form29");
    EXPECT_EQ(text(*m, "Label3"), "错车时间");
    m = open("Form30");
    EXPECT_EQ(text(*m, "Label3"), "船速");
    // The arrow-key chain follows the screen: speed of A comes before length of B.
    std::vector<std::string> inputs;
    m = open("Form29");
    for (const ControlDecl& d : m->decl().controls)
        if (d.kind == ControlKind::Input) inputs.push_back(d.name);
    EXPECT_EQ(inputs, (std::vector<std::string>{"Text1", "Text3", "Text2", "Text4"}));
}

TEST(WordCases, CopyStateAcrossACaseChange) {
    struct Case {
        const char* form;
        const char* failing[2][2];
        const char* key;
        bool enabledAfter;
    };
    const Case cases[] = {
        {"Form23", {{"Text1", "3"}, {"Text3", "0"}}, "S", true},
        {"Form29", {{"Text1", "3"}, {"Text3", ""}}, "H", true},
        {"Form39", {{"Text1", "3"}, {"Text2", ""}}, "N", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        auto m = open(c.form);
        for (const auto& f : c.failing) m->edit(f[0], f[1]);
        m->press("Command1");
        EXPECT_EQ(failureMessages(m->takeEvents()), 1);
        EXPECT_FALSE(m->state("Command3").enabled);
        m->key(c.key);
        EXPECT_EQ(m->state("Command3").enabled, c.enabledAfter);
        m->press("Command2");
        EXPECT_TRUE(m->state("Command3").enabled);
    }
    // The boat window has no failure; its case change still leaves Copy usable.
    auto m = open("Form30");
    m->key("S");
    EXPECT_TRUE(m->state("Command3").enabled);
}

TEST(WordCases, AFailureLeavesThePreviousAnswerShown) {
    struct Case {
        const char* form;
        const char* key;
        std::vector<std::pair<const char*, const char*>> good, bad;
        const char* out;
        const char* answer;
    };
    const Case cases[] = {
        {"Form23", nullptr, {{"Text1", "3"}, {"Text2", "20"}, {"Text3", "1"}}, {{"Text3", "0"}}, "Text4", "23"},
        {"Form29",
         "H",
         {{"Text1", "125"}, {"Text3", "17"}, {"Text2", "140"}, {"Text4", "22"}},
         {{"Text4", "17"}},
         "Text5",
         "53"},
        {"Form39", nullptr, {{"Text1", "23"}, {"Text2", "6"}, {"Text3", "3"}}, {{"Text2", "."}}, "Text5", "120"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        auto m = open(c.form);
        if (c.key) m->key(c.key);
        for (const auto& [b, t] : c.good) m->edit(b, t);
        m->press("Command1");
        ASSERT_EQ(text(*m, c.out), c.answer);
        for (const auto& [b, t] : c.bad) m->edit(b, t);
        m->press("Command1");
        EXPECT_EQ(text(*m, c.out), c.answer);
        EXPECT_EQ(failureMessages(m->takeEvents()), 1);
        EXPECT_FALSE(m->state("Command3").enabled);
    }
}

TEST(WordCases, CopyTexts) {
    struct Case {
        const char* form;
        const char* key;
        std::vector<std::pair<const char*, const char*>> inputs;
        const char* copied;
    };
    const Case cases[] = {
        {"Form23", nullptr, {{"Text1", "3"}, {"Text2", "20"}, {"Text3", "1"}}, "份数：23。"},
        {"Form39", nullptr, {{"Text1", "23"}, {"Text2", "6"}, {"Text3", "3"}}, "草坪原有草量：120"},
        {"Form39", "N", {{"Text1", "120"}, {"Text2", "23"}, {"Text3", "3"}}, "牛吃草的天数：6"},
        {"Form39", "H", {{"Text1", "120"}, {"Text2", "6"}, {"Text3", "3"}}, "吃草牛的数量：23"},
        {"Form29", nullptr, {{"Text1", "163"}, {"Text3", "29"}, {"Text2", "152"}, {"Text4", "34"}}, "错车时间：5"},
        {"Form29", "H", {{"Text1", "125"}, {"Text3", "17"}, {"Text2", "140"}, {"Text4", "22"}}, "超车时间：53"},
        {"Form30", "C", {{"Text1", "20"}, {"Text3", "12"}}, "船速：16"},
        {"Form30", "S", {{"Text1", "20"}, {"Text3", "12"}}, "水速：4"},
    };
    for (const Case& c : cases) {
        auto m = open(c.form);
        if (c.key) m->key(c.key);
        for (const auto& [b, t] : c.inputs) m->edit(b, t);
        m->press("Command1");
        m->press("Command3");
        EXPECT_EQ(clipboardOf(m->takeEvents()), c.copied) << c.form;
    }
}

TEST(Chickens, ScriptedSessionCopiesTheExample) {
    std::ostringstream out, err;
    ASSERT_EQ(runToolSession({"Form7", "Text1=35", "Text2=94", "press:Command1", "press:Command3"}, out, err), 0);
    EXPECT_EQ(out.str().rfind("clipboard: 兔的个数：12；鸡的个数：23。\n", 0), 0u);
}

TEST(WordProblems, TextsBeyondTheDoubleRangeFailOnceWithoutAnAnswer) {
    // The filters keep such texts out of the windows; the calculations must
    // still refuse them cleanly when handed them directly.
    const char* huge = "1e999";
    const Outcome outcomes[] = {
        chickensCalculate(huge, "4"),           sumDifferenceCalculate("1", huge),   sumMultipleCalculate(huge, "1"),
        differenceMultipleCalculate("1", huge), surplusCalculate(0, "1", "1", huge), cowsCalculate(0, huge, "1", "1"),
        trainCalculate(1, "1", "1", "1", huge), riverCalculate(0, huge, "1"),
    };
    for (const Outcome& o : outcomes) {
        EXPECT_TRUE(o.set.empty());
        EXPECT_EQ(o.messages.size(), 1u);
        EXPECT_TRUE(o.failed);
    }
}
