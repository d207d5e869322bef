// The fraction and equation windows as a pupil drives them: layout changes,
// keys, Copy state and the copy texts.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/toolsession.h"
#include "framework/windowmodel.h"

using namespace kz;

namespace {

struct Driven {
    std::unique_ptr<WindowModel> m;
    std::vector<WindowEvent> events;

    explicit Driven(const char* form) : m(openWindowModel(form)) { m->takeEvents(); }
    void type(const char* box, const char* text) { m->edit(box, text); }
    void press(const char* button) {
        m->press(button);
        events = m->takeEvents();
    }
    std::string text(const char* name) const { return m->state(name).text; }
    bool visible(const char* name) const { return m->state(name).visible; }
    bool enabled(const char* name) const { return m->state(name).enabled; }
    int top(const char* name) const { return m->state(name).at.top; }
    std::vector<std::string> messages() const {
        std::vector<std::string> t;
        for (const auto& e : events)
            if (e.kind == WindowEvent::Kind::Message) t.push_back(e.message.text);
        return t;
    }
    std::string clipboard() const {
        for (const auto& e : events)
            if (e.kind == WindowEvent::Kind::Clipboard) return e.text;
        return "<none>";
    }
};

}  // namespace

TEST(FractionArithmeticWindow, WholeNumberLayoutComesAndGoesWithTheResult) {
    Driven w("Form3");
    w.type("Text1", "1");
    w.type("Text2", "11");
    w.type("Text3", "10");
    w.type("Text4", "11");
    w.m->select("Option1");
    w.press("Command1");
    EXPECT_EQ(w.text("Text5"), "1");
    EXPECT_EQ(w.top("Text5"), 400);
    EXPECT_FALSE(w.visible("Text6"));
    EXPECT_FALSE(w.visible("Line3"));
    w.press("Command3");
    EXPECT_EQ(w.clipboard(), "1");

    // Clear keeps the layout of the last result.
    w.press("Command2");
    EXPECT_EQ(w.text("Text5"), "");
    EXPECT_EQ(w.top("Text5"), 400);
    EXPECT_FALSE(w.visible("Text6"));
    w.press("Command3");
    EXPECT_EQ(w.messages(), std::vector<std::string>{"计算结果出来后才可以复制！"});

    w.type("Text1", "1");
    w.type("Text2", "2");
    w.type("Text3", "1");
    w.type("Text4", "3");
    w.press("Command1");
    EXPECT_EQ(w.top("Text5"), 120);
    EXPECT_TRUE(w.visible("Text6"));
    EXPECT_TRUE(w.visible("Line3"));
    w.press("Command3");
    EXPECT_EQ(w.clipboard(), "5/6");
}

TEST(FractionArithmeticWindow, KeypadKeysChooseTheOperator) {
    Driven w("Form3");
    const std::pair<const char*, const char*> keys[] = {
        {"KP+", "Option1"}, {"KP-", "Option2"}, {"KP*", "Option3"}, {"KP/", "Option4"}};
    for (auto [key, option] : keys) {
        EXPECT_TRUE(w.m->key(key));
        for (const char* o : {"Option1", "Option2", "Option3", "Option4"})
            EXPECT_EQ(w.m->state(o).checked, std::string(o) == option) << key;
    }
}

TEST(FractionArithmeticWindow, DivisionByZeroFractionKeepsTheResultAndDisablesCopy) {
    Driven w("Form3");
    w.type("Text1", "1");
    w.type("Text2", "2");
    w.type("Text3", "-1");
    w.type("Text4", "3");
    w.m->key("KP/");
    w.press("Command1");
    EXPECT_EQ(w.text("Text5"), "3");
    EXPECT_EQ(w.text("Text6"), "-2");
    w.type("Text3", "0");
    w.type("Text4", "5");
    w.press("Command1");
    EXPECT_EQ(w.messages(), std::vector<std::string>{"除数不能为零！"});
    EXPECT_EQ(w.events[0].message.title, "错误");
    EXPECT_EQ(w.text("Text5"), "3");
    EXPECT_EQ(w.text("Text6"), "-2");
    EXPECT_FALSE(w.enabled("Command3"));
    w.press("Command2");
    EXPECT_TRUE(w.enabled("Command3"));
}

TEST(FractionReductionWindow, WholeNumberCopiesOverOne) {
    Driven w("Form20");
    w.type("Text1", "12");
    w.type("Text2", "4");
    w.press("Command1");
    EXPECT_EQ(w.text("Text3"), "3");
    EXPECT_EQ(w.top("Text3"), 720);
    EXPECT_FALSE(w.visible("Text4"));
    EXPECT_FALSE(w.visible("Line2"));
    w.press("Command3");
    EXPECT_EQ(w.clipboard(), "3/1");

    w.type("Text2", "0");
    w.press("Command1");
    EXPECT_EQ(w.messages(), std::vector<std::string>{"分母不得为零！"});
    EXPECT_EQ(w.text("Text3"), "3");
    EXPECT_FALSE(w.enabled("Command3"));

    w.type("Text1", "-6");
    w.type("Text2", "8");
    w.press("Command1");
    EXPECT_TRUE(w.enabled("Command3"));
    EXPECT_EQ(w.top("Text3"), 480);
    EXPECT_TRUE(w.visible("Text4"));
    w.press("Command3");
    EXPECT_EQ(w.clipboard(), "-3/4");
}

TEST(FractionComparisonWindow, FailureKeepsTheSignAndClearResetsIt) {
    Driven w("Form24");
    for (auto [box, text] : {std::pair{"Text1", "1"}, {"Text2", "2"}, {"Text3", "2"}, {"Text4", "3"}})
        w.type(box, text);
    w.press("Command1");
    EXPECT_EQ(w.text("Label1"), "<");
    w.type("Text4", "");
    w.press("Command1");
    EXPECT_EQ(w.messages(), std::vector<std::string>{"发生错误！"});
    EXPECT_EQ(w.text("Label1"), "<");
    w.press("Command2");
    EXPECT_EQ(w.text("Label1"), "=");
    EXPECT_EQ(w.text("Text1"), "");
}

TEST(FractionConversionWindow, ModesSwitchTheirBoxesAndEmptyEverything) {
    Driven w("Form37");
    const char* mode1[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Line1", "Line2", "Line3"};
    const char* mode2[] = {"Text6", "Text7", "Text8", "Text9", "Text10", "Line4", "Line5", "Line6"};
    for (const char* n : mode1) EXPECT_TRUE(w.visible(n)) << n;
    for (const char* n : mode2) EXPECT_FALSE(w.visible(n)) << n;
    w.type("Text1", "9");
    w.type("Text2", "4");
    w.press("Command1");
    EXPECT_EQ(w.text("Text3") + "|" + w.text("Text4") + "|" + w.text("Text5"), "2|1|4");
    w.press("Command3");
    EXPECT_EQ(w.clipboard(), "2又1/4");

    EXPECT_TRUE(w.m->key("d"));
    EXPECT_TRUE(w.m->state("Option2").checked);
    EXPECT_EQ(w.m->takeFocusRequest(), "Text8");
    for (const char* n : mode1) EXPECT_FALSE(w.visible(n)) << n;
    for (const char* n : mode2) EXPECT_TRUE(w.visible(n)) << n;
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(w.text(("Text" + std::to_string(i)).c_str()), "");

    w.type("Text8", "2");
    w.type("Text7", "1");
    w.type("Text6", "4");
    w.press("Command1");
    EXPECT_EQ(w.text("Text10") + "/" + w.text("Text9"), "9/4");
    w.press("Command3");
    EXPECT_EQ(w.clipboard(), "9/4");

    // The output box shows what was written, not what a filter would keep.
    w.type("Text8", "0");
    w.type("Text7", ".00001");
    w.type("Text6", "1");
    w.press("Command1");
    EXPECT_EQ(w.text("Text10"), "1E-05");

    // Choosing the mode that is already chosen changes nothing.
    w.m->key("D");
    EXPECT_EQ(w.text("Text10"), "1E-05");
    w.m->key("J");
    EXPECT_TRUE(w.m->state("Option1").checked);
    EXPECT_EQ(w.text("Text10"), "");
    EXPECT_TRUE(w.visible("Text1"));
}

TEST(FractionConversionWindow, FailureChangesNoOutputUntilTheNextCalculation) {
    Driven w("Form37");
    w.type("Text1", "9");
    w.type("Text2", "4");
    w.press("Command1");
    w.type("Text2", "0");
    w.press("Command1");
    EXPECT_EQ(w.messages(), std::vector<std::string>{"发生错误！"});
    EXPECT_EQ(w.text("Text3") + "|" + w.text("Text4") + "|" + w.text("Text5"), "2|1|4");
    EXPECT_FALSE(w.enabled("Command3"));
    w.type("Text2", "5");
    w.press("Command1");
    EXPECT_TRUE(w.enabled("Command3"));
    EXPECT_EQ(w.text("Text3") + "|" + w.text("Text4") + "|" + w.text("Text5"), "1|4|5");

    w.m->select("Option2");
    w.type("Text8", "1");
    w.type("Text7", "1");
    w.type("Text6", "0");
    w.press("Command1");
    EXPECT_EQ(w.messages(), std::vector<std::string>{"发生错误！"});
    EXPECT_EQ(w.text("Text10") + w.text("Text9"), "");
    EXPECT_FALSE(w.enabled("Command3"));
}

TEST(EquationWindows, NoUniqueSolutionEmptiesTheAnswersSoCopyHasNothingStale) {
    Driven w("Form32");
    const char* boxes[] = {"Text1", "Text3", "Text5", "Text2", "Text4", "Text6"};
    const char* first[] = {"1", "1", "3", "1", "2", "5"};
    for (int i = 0; i < 6; ++i) w.type(boxes[i], first[i]);
    w.press("Command4");
    w.press("Command7");
    EXPECT_EQ(w.clipboard(), "x=1,y=2");
    w.type("Text6", "6");
    w.type("Text4", "1");
    w.press("Command4");
    ASSERT_EQ(w.events.size(), 1u);
    EXPECT_EQ(w.events[0].message, (Message{"该方程组无解", "Zorvan", MessageIcon::Information}));
    EXPECT_EQ(w.text("Label4") + w.text("Label5"), "");
    EXPECT_TRUE(w.enabled("Command7"));
    w.press("Command7");
    EXPECT_EQ(w.messages(), std::vector<std::string>{"计算结果出来后才可以复制！"});
}

TEST(EquationWindows, UnreadableBoxKeepsTheAnswersAndDisablesCopy) {
    Driven w("Form33");
    const char* boxes[] = {"Text8",  "Text9",  "Text11", "Text13", "Text7",  "Text10",
                           "Text12", "Text14", "Text15", "Text16", "Text17", "Text18"};
    const char* values[] = {"1", "1", "1", "6", "1", "2", "1", "8", "1", "1", "2", "9"};
    for (int i = 0; i < 12; ++i) w.type(boxes[i], values[i]);
    w.press("Command5");
    w.press("Command9");
    EXPECT_EQ(w.clipboard(), "x=1,y=2,z=3");
    w.type("Text10", "");
    w.type("Text18", ".");
    w.press("Command5");
    EXPECT_EQ(w.messages(), std::vector<std::string>{"发生错误！"});
    EXPECT_EQ(w.text("Text20") + w.text("Text21") + w.text("Text22"), "123");
    EXPECT_FALSE(w.enabled("Command9"));
    w.press("Command8");
    EXPECT_TRUE(w.enabled("Command9"));
    EXPECT_EQ(w.text("Text20") + w.text("Text8") + w.text("Text18"), "");
}

TEST(EquationWindows, RightHandSidesHoldSixteenCharacters) {
    Driven two("Form32");
    two.type("Text5", "12345678901234567");
    EXPECT_EQ(two.text("Text5"), "1234567890123456");
    two.type("Text1", "12345678901");
    EXPECT_EQ(two.text("Text1"), "1234567890");
    Driven three("Form33");
    three.type("Text13", "9999999999999999.9");
    EXPECT_EQ(three.text("Text13"), "9999999999999999");
    Driven one("Form31");
    one.type("Text23", "1.000000000000001");
    EXPECT_EQ(one.text("Text23"), "1.00000000000000");
}

TEST(EquationWindows, OneUnknownCopiesTheAnswer) {
    Driven w("Form31");
    w.type("txtk", "2");
    w.type("txtb", "3");
    w.type("Text23", "11");
    w.press("Command1");
    w.press("Command3");
    EXPECT_EQ(w.clipboard(), "x=4");
    w.type("txtb", "");
    w.press("Command1");
    EXPECT_EQ(w.messages(), std::vector<std::string>{"发生错误！"});
    EXPECT_EQ(w.text("Text19"), "4");
    EXPECT_FALSE(w.enabled("Command3"));
}

TEST(FractionEquationWindows, AnyTypingAndClickingIsHandled) {
    std::mt19937 rng(37);
    const std::vector<std::string> samples = {"",      "0",      "-",     ".",          "-0",
                                              "1",     "-32768", "32768", "999999",     ".00001",
                                              "1E5",   "abc",    "3.1.4", "0000000000", "9999999999999999",
                                              "-9..9", "１２"};
    const std::set<std::string> known = {
        "发生错误！",         "分母不得为零！", "请选择运算符号！", "除数不能为零！", "计算结果出来后才可以复制！",
        "该方程组有无数组解", "该方程组无解"};
    for (const char* form : {"Form3", "Form20", "Form24", "Form37", "Form31", "Form32", "Form33"}) {
        auto m = openWindowModel(form);
        std::vector<std::string> inputs, buttons, options;
        for (const ControlDecl& c : m->decl().controls) {
            if (c.kind == ControlKind::Input) inputs.push_back(c.name);
            if (c.kind == ControlKind::Button) buttons.push_back(c.name);
            if (c.kind == ControlKind::Option) options.push_back(c.name);
        }
        for (int i = 0; i < 3000; ++i) {
            const unsigned pick = rng() % 10;
            if (pick < 6) m->edit(inputs[rng() % inputs.size()], samples[rng() % samples.size()]);
            else if (pick < 9) m->press(buttons[rng() % buttons.size()]);
            else if (!options.empty()) m->select(options[rng() % options.size()]);
            int messages = 0;
            for (const WindowEvent& e : m->takeEvents())
                if (e.kind == WindowEvent::Kind::Message) {
                    ++messages;
                    ASSERT_TRUE(known.count(e.message.text)) << form << ": " << e.message.text;
                }
            ASSERT_LE(messages, 1) << form;  // never a cascade of messages for one click
        }
    }
}

TEST(FractionEquationWindows, ToolSessionsShowWhatAPupilSees) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{"Form3", "Text1=1", "Text2=11", "Text3=10", "Text4=11", "select:Option1", "press:Command1"},
         {"Text5=1", "Text6:hidden", "Line3:hidden"}},
        {{"Form32", "Text1=1", "Text3=1", "Text5=1", "Text2=0.1", "Text4=0.1", "Text6=1", "press:Command4"},
         {"message: Zorvan|information|该方程组无解", "Label4=", "Label5="}},
        {{"Form33", "Text8=1", "Text9=1", "Text11=1", "Text13=6", "Text7=1", "Text10=2", "Text12=1", "Text14=8",
          "Text15=1", "Text16=1", "Text17=2", "Text18=9", "press:Command5", "press:Command9"},
         {"clipboard: x=1,y=2,z=3"}},
        {{"Form37", "Text1=9", "Text2=4", "press:Command1", "press:Command3"}, {"clipboard: 2又1/4"}},
        {{"Form37", "key:D", "Text8=2", "Text7=1", "Text6=4", "press:Command1", "press:Command3"}, {"clipboard: 9/4"}},
        {{"Form20", "Text1=6", "Text2=2", "press:Command1", "press:Command3"}, {"clipboard: 3/1", "Text4:hidden"}},
        {{"Form31", "txtk=2", "txtb=1", "Text23=6", "press:Command1", "press:Command3"}, {"clipboard: x=2.5"}},
        {{"Form3", "Text1=1", "Text2=2", "Text3=1", "Text4=3", "key:KP+", "press:Command1", "press:Command3"},
         {"clipboard: 5/6"}},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        ASSERT_EQ(runToolSession(c.args, out, err), 0) << err.str();
        std::set<std::string> shown;
        std::istringstream lines(out.str());
        for (std::string l; std::getline(lines, l);) shown.insert(l);
        for (const std::string& l : c.lines) EXPECT_TRUE(shown.count(l)) << c.args[0] << ": " << l << "\n" << out.str();
    }
}
