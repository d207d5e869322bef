#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/toolsession.h"
#include "framework/windowmodel.h"

using namespace kz;

namespace {

std::string tool(std::vector<std::string> args) {
    std::ostringstream out, err;
    args.insert(args.begin(), "Form43");
    EXPECT_EQ(runToolSession(args, out, err), 0) << err.str();
    return out.str();
}

Message error(const char* text) { return {text, "错误", MessageIcon::Error}; }

std::vector<Message> messages(WindowModel& m) {
    std::vector<Message> out;
    for (const WindowEvent& e : m.takeEvents())
        if (e.kind == WindowEvent::Kind::Message) out.push_back(e.message);
    return out;
}

}  // namespace

TEST(ConjectureWindow, OpensOnThePalindromePageReadyToType) {
    auto m = openWindowModel("Form43");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->state("SSTab1").selected, 2);
    EXPECT_EQ(m->declOf("SSTab1").entries,
              (std::vector<std::string>{"哥德巴赫猜想A", "哥德巴赫猜想B", "回文数猜想", "角谷猜想", "尼科切斯定理"}));
    EXPECT_EQ(m->defaultButton(), "Command3");
    EXPECT_EQ(m->takeFocusRequest(), "Text3");
    // Goldbach's letter to Euler is from 1742.
    EXPECT_EQ(m->state("Label2(0)").text.rfind("    1742年德国数学家哥德巴赫给数学家欧拉的一封信中提出了：", 0), 0u);
    for (const char* l : {"Label2(0)", "Label2(2)", "Label2(4)", "Label2(5)", "Label2(6)"})
        EXPECT_EQ(m->state(l).text.rfind("    ", 0), 0u) << l;
    struct Box {
        const char* name;
        int max;
        int page;
    };
    for (const Box& b :
         {Box{"Text1", 6, 0}, Box{"Text2", 6, 1}, Box{"Text3", 9, 2}, Box{"Text4", 3, 3}, Box{"Text5", 3, 4}}) {
        EXPECT_EQ(m->declOf(b.name).maxLength, b.max) << b.name;
        EXPECT_EQ(m->declOf(b.name).page, b.page) << b.name;
    }
}

TEST(ConjectureWindow, EachPageChangeMovesEnterAndTheFocus) {
    auto m = openWindowModel("Form43");
    (void)m->takeFocusRequest();
    for (int p : {0, 4, 1, 3, 2}) {
        // The view sets the page, then reports the click.
        const_cast<ControlState&>(m->state("SSTab1")).selected = p;
        m->select("SSTab1");
        const std::string n = std::to_string(p + 1);
        EXPECT_EQ(m->defaultButton(), "Command" + n) << p;
        EXPECT_EQ(m->takeFocusRequest(), "Text" + n) << p;
    }
    // Enter in the box of page 3 runs its verification.
    const_cast<ControlState&>(m->state("SSTab1")).selected = 3;
    m->select("SSTab1");
    m->edit("Text4", "6");
    EXPECT_TRUE(m->key("Enter"));
    EXPECT_EQ(m->state("Text8").text, "计算过程：\n6>3>10>5>16>8>4>2>1");
}

TEST(ConjectureWindow, Verifications) {
    struct Case {
        std::vector<std::string> actions;
        const char* control;
        const char* shown;
        std::vector<Message> messages;
    };
    const Case cases[] = {
        {{"Text1=9", "press:Command1"}, "Label2(1)", "结果： 9=3+3+3", {}},
        {{"Text1=8", "press:Command1"},
         "Label2(1)",
         "请输入一个大于或等于9的奇数",
         {error("请输入一个大于或等于9的奇数！")}},
        {{"Text1=abc", "press:Command1"}, "Text1", "请输入数字！", {}},
        {{"Text2=100", "press:Command2"}, "Label2(3)", "结果： 100=3+97", {}},
        {{"Text2=x", "press:Command2"}, "Text2", "请输入数字!", {}},
        {{"Text3=12", "press:Command3"}, "Text7", " 12+ 21= 33\n结果： 33是回文数", {}},
        {{"Text5=3", "press:Command5"}, "Text6", "3×3×3=27=7+9+11", {}},
        // A run that leaves 16 bits stops at the failure with what it has so far.
        {{"Text4=447", "press:Command4"}, "Text8", nullptr, {error("发生错误")}},
        {{"Text4=0", "press:Command4"}, "Text8", "计算过程：\n0", {}},
        {{"Text4=abc", "press:Command4"}, "Text8", "计算过程：\n0", {}},
        // A page-4 value beyond the 16-bit step count is refused and changes nothing.
        {{"Text5=3", "press:Command5", "Text5=2e4", "press:Command5"}, "Text6", "3×3×3=27=7+9+11", {error("发生错误")}},
        {{"Text5=1e5", "press:Command5"}, "Text6", "", {error("发生错误")}},
    };
    for (const Case& c : cases) {
        auto m = openWindowModel("Form43");
        for (const std::string& a : c.actions) {
            const auto eq = a.find('=');
            if (a.rfind("press:", 0) == 0) {
                (void)m->takeEvents();
                m->press(a.substr(6));
            } else m->edit(a.substr(0, eq), a.substr(eq + 1));
        }
        const std::string where = c.actions.front();
        EXPECT_EQ(messages(*m), c.messages) << where;
        if (c.shown) {
            EXPECT_EQ(m->state(c.control).text, c.shown) << where;
        }
        EXPECT_FALSE(m->closed()) << where;
    }
    auto m = openWindowModel("Form43");
    m->edit("Text4", "447");
    m->press("Command4");
    const std::string run = m->state("Text8").text;
    EXPECT_EQ(run.rfind("计算过程：\n447>1342>671>2014>", 0), 0u);
    EXPECT_NE(run.back(), '>');
}

TEST(ConjectureWindow, ToolSessions) {
    std::string out = tool({"Text4=27", "press:Command4"});
    const auto at = out.find("Text8=计算过程：\\n27>82>41>");
    ASSERT_NE(at, std::string::npos) << out;
    const std::string run = out.substr(at, out.find('\n', at) - at);
    EXPECT_TRUE(run.ends_with(">16>8>4>2>1")) << run;
    EXPECT_EQ(std::count(run.begin(), run.end(), '>'), 111);
    EXPECT_EQ(out.find("message:"), std::string::npos);

    // Too long a process: the message, then the window closes.
    for (const char* n : {"89", "196"}) {
        out = tool({std::string("Text3=") + n, "press:Command3"});
        EXPECT_EQ(out.rfind("message: 错误|error|计算过程太长，导致错误！\nclosed\n", 0), 0u) << out;
    }
}
