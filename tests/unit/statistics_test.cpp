#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/windowmodel.h"
#include "tools/number/statistics.h"

using namespace kz;

namespace {

const char* const kSyntax = "语法错误！";
const char* const kWarning = "请把中文逗号替换成英文逗号！";
const char* const kFailure = "发生错误！";

std::vector<std::string> texts(const std::vector<Message>& messages) {
    std::vector<std::string> t;
    t.reserve(messages.size());
    for (const Message& m : messages) t.push_back(m.text);
    return t;
}

}  // namespace

TEST(Statistics, SevenResults) {
    struct Case {
        const char* list;
        const char* mean;
        const char* mode;
        const char* median;
        const char* max;
        const char* min;
        const char* sum;
        const char* squares;
    };
    const Case cases[] = {
        {"3,1,2,2,5", "2.6", "2", "2", "5", "1", "13", "43"},
        {"1,2,3,4", "2.5", "N/A", "2.5", "4", "1", "10", "30"},
        {"1,1,2,2,3", "1.8", "1, 2", "2", "3", "1", "9", "19"},
        {"2,2,1,1", "1.5", "2, 1", "1.5", "2", "1", "6", "10"},
        {"7", "7", "N/A", "7", "7", "7", "7", "49"},
        {"5,1,4,2", "3", "N/A", "3", "5", "1", "12", "46"},
        {"1,2,", "1.5", "N/A", "1.5", "2", "1", "3", "5"},
        {"1, 2", "1.5", "N/A", "1.5", "2", "1", "3", "5"},
        {"0.5,.5,5.", "2", "0.5", "0.5", "5", "0.5", "6", "25.5"},
        {"pi,e", "2.92993724102442", "N/A", "2.92993724102442", "3.14159265358979", "2.71828182845905",
         "5.85987448204884", "17.25866050002"},
        {"1.2.3", "2.1", "N/A", "2.1", "3", "1.2", "4.2", "10.44"},
    };
    for (const Case& c : cases) {
        Outcome o = statisticsCalculate(c.list);
        EXPECT_FALSE(o.failed) << c.list;
        EXPECT_EQ(o.set.at("txtStat(0)"), c.mean) << c.list;
        EXPECT_EQ(o.set.at("txtStat(1)"), c.mode) << c.list;
        EXPECT_EQ(o.set.at("txtStat(11)"), c.median) << c.list;
        EXPECT_EQ(o.set.at("txtStat(13)"), c.max) << c.list;
        EXPECT_EQ(o.set.at("txtStat(9)"), c.min) << c.list;
        EXPECT_EQ(o.set.at("txtStat(2)"), c.sum) << c.list;
        EXPECT_EQ(o.set.at("txtStat(3)"), c.squares) << c.list;
    }
}

TEST(Statistics, ReadingTheList) {
    const std::string digits400(400, '9');
    struct Case {
        std::string list;
        std::vector<std::string> messages;
        bool stopped;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"", {kSyntax}, true, {}},
        {"-1,2", {kSyntax}, true, {}},
        {"1,,2", {kSyntax}, true, {}},
        {"1 ,2", {kSyntax, kSyntax}, true, {}},
        {"1，2", {kWarning, kSyntax}, false, {1, 2}},
        {"1;2;3", {kSyntax, kSyntax}, false, {1, 2, 3}},
        {"1.2.3", {kSyntax}, false, {1.2, 3}},
        {"1,2x", {}, false, {1, 2}},
        {"1,2xy", {kSyntax, kSyntax}, true, {}},
        {"abc", {kSyntax}, true, {}},
        {"1,pie", {kSyntax}, true, {}},
        // A number text that cannot be converted is no number: no 0 in its place.
        {"1..5", {kSyntax}, true, {}},
        {"2,.", {kSyntax}, true, {}},
        {"2,1..5,3", {kSyntax}, true, {}},
        {"1，1..5", {kWarning, kSyntax, kSyntax}, true, {}},
        // Beyond the double range: a failure, and the reading ends there too.
        {digits400, {kFailure}, true, {}},
        {"1," + digits400 + ",2", {kFailure}, true, {}},
    };
    for (const Case& c : cases) {
        NumberList r = readNumberList(c.list);
        EXPECT_EQ(texts(r.messages), c.messages) << c.list;
        EXPECT_EQ(r.stopped, c.stopped) << c.list;
        for (const Message& m : r.messages) EXPECT_EQ(m.title, "错误");
        if (!c.stopped) {
            EXPECT_EQ(r.values, c.values) << c.list;
        }
        Outcome o = statisticsCalculate(c.list);
        EXPECT_EQ(o.failed, c.stopped) << c.list;
        if (c.stopped) {
            EXPECT_TRUE(o.set.empty()) << c.list;
        }
    }
}

TEST(Statistics, AFailedStatisticLeavesItsBoxEmpty) {
    const std::string big(200, '9');   // its square leaves the double range
    const std::string huge(308, '9');  // two of them overflow the sum as well
    struct Case {
        std::string list;
        std::vector<std::string> empty;
        std::size_t messages;
    };
    const Case cases[] = {
        {big, {"txtStat(3)"}, 1},
        {"1," + big, {"txtStat(3)"}, 1},
        {huge + "," + huge, {"txtStat(0)", "txtStat(2)", "txtStat(3)"}, 3},
    };
    for (const Case& c : cases) {
        Outcome o = statisticsCalculate(c.list);
        EXPECT_TRUE(o.failed);
        EXPECT_EQ(o.messages.size(), c.messages);
        for (const Message& m : o.messages) EXPECT_EQ(m.text, kFailure);
        EXPECT_EQ(o.set.size(), 7u);
        for (const auto& [box, text] : o.set) {
            const bool failed = std::find(c.empty.begin(), c.empty.end(), box) != c.empty.end();
            EXPECT_EQ(text.empty(), failed) << box;
        }
    }
}

TEST(StatisticsWindow, WarningThenSyntaxErrorThenResults) {
    auto m = openWindowModel("Form28");
    EXPECT_TRUE(findWindowType("Form28")->keepInstance);
    EXPECT_EQ(m->takeFocusRequest(), "txtList");
    m->edit("txtList", "3,1,2,2,5");
    m->press("cmdAnalyse");
    m->press("Command1");
    auto events = m->takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].text, "平均数：2.6，众数：2，最大值：5，最小值：1，中位数：2，和：13，平方和：43。");

    m->edit("txtList", "4，6");
    m->key("Enter");
    events = m->takeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].message, (Message{kWarning, "错误", MessageIcon::Error}));
    EXPECT_EQ(events[1].message, (Message{kSyntax, "错误", MessageIcon::Error}));
    EXPECT_EQ(m->state("txtStat(0)").text, "5");
    EXPECT_EQ(m->state("txtStat(3)").text, "52");
    EXPECT_TRUE(m->state("Command1").enabled);

    // A list that cannot be read leaves the last results and disables Copy.
    m->edit("txtList", "1..5");
    m->press("cmdAnalyse");
    EXPECT_EQ(m->takeEvents().size(), 1u);
    EXPECT_EQ(m->state("txtStat(0)").text, "5");
    EXPECT_FALSE(m->state("Command1").enabled);

    // A failed statistic: its box empties, Copy stays off for that press.
    m->edit("txtList", "2," + std::string(200, '9'));
    m->press("cmdAnalyse");
    EXPECT_EQ(m->state("txtStat(3)").text, "");
    EXPECT_EQ(m->state("txtStat(9)").text, "2");
    EXPECT_FALSE(m->state("Command1").enabled);
    m->takeEvents();

    m->press("cmdClear");
    EXPECT_TRUE(m->state("Command1").enabled);
    EXPECT_EQ(m->state("txtStat(9)").text, "");
    m->press("Command1");
    events = m->takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].message.text, "计算结果出来后才可以复制！");
}

TEST(StatisticsWindow, ReopeningStartsEmpty) {
    auto m = openWindowModel("Form28");
    m->edit("txtList", "1..5");
    m->press("cmdAnalyse");
    m->edit("txtList", std::string(600, '1'));
    EXPECT_EQ(m->state("txtList").text.size(), 500u);
    m->edit("txtList", "1,2");
    m->press("cmdAnalyse");
    m->load();  // the kept instance shown again
    EXPECT_EQ(m->state("txtList").text, "");
    EXPECT_EQ(m->state("txtStat(0)").text, "");
    EXPECT_TRUE(m->state("Command1").enabled);
    EXPECT_EQ(m->takeFocusRequest(), "txtList");
}
