#include <gtest/gtest.h>

#include <string>

#include "framework/windowmodel.h"
#include "tools/number/dates.h"

using namespace kz;

TEST(DateDifference, DaysBetweenValidDates) {
    struct Case {
        const char* first;
        const char* second;
        const char* days;
    };
    const Case cases[] = {
        {"2008-01-01", "2008-12-31", "365天"},      {"2008-12-31", "2008-01-01", "-365天"},
        {"2008-08-08", "2008-08-08", "0天"},        {"2000-02-28", "2000-03-01", "2天"},
        {"1900-02-28", "1900-03-01", "1天"},        {"2008-02-28", "2008-03-01", "2天"},
        {"0050-01-01", "0051-01-01", "365天"},      {"0004-01-01", "0005-01-01", "366天"},
        {"1582-10-04", "1582-10-15", "11天"},       {"0001-01-01", "9999-12-31", "3652058天"},
        {"9999-12-31", "0001-01-01", "-3652058天"},
    };
    for (const Case& c : cases) {
        Outcome o = dateDifference(c.first, c.second);
        EXPECT_EQ(o.set.at("Label1"), c.days) << c.first << " " << c.second;
        EXPECT_EQ(o.set.at("Label2"), "以上两组日期之间相差");
        EXPECT_EQ(o.set.at("Label3"), "");
        EXPECT_TRUE(o.messages.empty());
    }
}

TEST(DateDifference, AnythingButACompleteDateIsAFormatError) {
    for (const char* bad :
         {"", "2008", "2008-", "2008-08", "2008-08-0", "2008-02-30", "2009-02-29", "2008/08/08", "0000-01-01",
          "2008-13-01", "2008-00-10", "2008-01-00", "2008-01-32", "2008-1-011", "２００８-08-08", "2008-08-08 "}) {
        for (auto [a, b] : {std::pair<std::string, std::string>{bad, "2008-01-01"}, {"2008-01-01", bad}, {bad, bad}}) {
            Outcome o = dateDifference(a, b);
            ASSERT_EQ(o.messages.size(), 1u) << bad;
            EXPECT_EQ(o.messages[0], (Message{"输入数据的格式有误", "错误", MessageIcon::Error}));
            EXPECT_EQ(o.set.at("Label1"), "格式为：“yyyy-mm-dd”") << bad;
            EXPECT_EQ(o.set.at("Label2"), "请输入两组日期");
            EXPECT_EQ(o.set.at("Label3"), "如：2008-08-08");
        }
    }
}

TEST(DateDifference, NoEarlierResultSurvivesAFormatError) {
    auto m = openWindowModel("Form41");
    m->press("Command3");
    EXPECT_TRUE(m->takeEvents().empty());  // nothing to copy yet, and no message
    m->edit("Text1", "20080101");
    m->edit("Text2", "2008-12-31");
    m->key("Enter");
    EXPECT_EQ(m->state("Label1").text, "365天");
    m->press("Command3");
    auto events = m->takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].text, "365天");
    m->edit("Text2", "2008-02-30");
    m->press("Command1");
    EXPECT_EQ(m->state("Label1").text, "格式为：“yyyy-mm-dd”");
    EXPECT_EQ(m->state("Label2").text, "请输入两组日期");
    m->takeEvents();
    m->press("Command3");
    EXPECT_TRUE(m->takeEvents().empty());
}

// Typing into a date box one character at a time, the caret after each.
TEST(DateDifference, MaskWhileTyping) {
    auto m = openWindowModel("Form41");
    auto type = [&](std::string_view c) {
        const ControlState& s = m->state("Text1");
        std::string t = s.text;
        t.insert(static_cast<std::size_t>(s.caret), c);
        m->edit("Text1", t, s.caret + 1);
    };
    struct Step {
        const char* typed;
        const char* text;
        int caret;
        bool red;
    };
    const Step steps[] = {
        {"2", "2", 1, false},      {"0", "20", 2, false},      {"0", "200", 3, false},     {"8", "2008", 4, false},
        {"0", "2008-0", 6, false}, {"8", "2008-08", 7, false}, {"/", "2008-08/", 8, true},  // rejected: stays, red
    };
    for (const Step& s : steps) {
        type(s.typed);
        EXPECT_EQ(m->state("Text1").text, s.text) << s.typed;
        EXPECT_EQ(m->state("Text1").caret, s.caret) << s.typed;
        EXPECT_EQ(m->state("Text1").red, s.red) << s.typed;
    }
    auto events = m->takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, WindowEvent::Kind::Beep);
    // Backspace over the "/" is accepted again, and the colour returns.
    m->edit("Text1", "2008-08", 7);
    EXPECT_FALSE(m->state("Text1").red);
    type("0");
    type("8");
    EXPECT_EQ(m->state("Text1").text, "2008-08-08");
    type("1");  // an eleventh character is lost
    EXPECT_EQ(m->state("Text1").text, "2008-08-08");
    // Deleting a "-" puts it back at once.
    m->edit("Text1", "200808-08", 4);
    EXPECT_EQ(m->state("Text1").text, "2008-08-08");
    EXPECT_EQ(m->state("Text1").caret, 5);
    m->press("Command2");
    EXPECT_EQ(m->state("Text1").text, "");
}

TEST(LeapYear, Years) {
    struct Case {
        const char* year;
        const char* verdict;
    };
    const Case cases[] = {
        {"2000", "闰年"}, {"2008", "闰年"}, {"1900", "平年"}, {"2009", "平年"}, {"", "闰年"},     {"0", "闰年"},
        {"-4", "闰年"},   {"-1", "平年"},   {"-100", "平年"}, {"-400", "闰年"}, {"9999", "平年"}, {"-", "闰年"},
    };
    for (const Case& c : cases) {
        Outcome o = leapYear(c.year);
        EXPECT_EQ(o.set.at("Label1"), c.verdict) << c.year;
        EXPECT_TRUE(o.messages.empty());
    }
    Outcome tooBig = leapYear("99999999999");
    EXPECT_TRUE(tooBig.set.empty());
    ASSERT_EQ(tooBig.messages.size(), 1u);
    EXPECT_EQ(tooBig.messages[0].text, "发生错误");
}

TEST(LeapYear, CopyIsSilentUntilThereIsAVerdict) {
    auto m = openWindowModel("Form42");
    m->press("Command3");
    EXPECT_TRUE(m->takeEvents().empty());
    m->edit("Text1", "19000");
    m->press("Command1");
    m->press("Command3");
    auto events = m->takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].text, "平年");
    m->press("Command2");
    EXPECT_EQ(m->state("Label1").text, "请输入一个年份");
    m->press("Command3");
    EXPECT_TRUE(m->takeEvents().empty());
}
