// The tool-window conventions as the model runs them: Copy and its state,
// the carry-on rule, Clear, the filter on every change, keys, jobs, and the
// refusal of names a window does not declare.
#include <gtest/gtest.h>

#include "framework/windowmodel.h"
#include "tools/number/gcd.h"

using namespace kz;

namespace {

using Kind = WindowEvent::Kind;

std::vector<Kind> kinds(const std::vector<WindowEvent>& events) {
    std::vector<Kind> k;
    k.reserve(events.size());
    for (const auto& e : events) k.push_back(e.kind);
    return k;
}

// A window with an option group, a key preview and a carry-on computation.
class Sample : public WindowModel {
public:
    Sample() : WindowModel(decl(), compute(), Texts{{"Text1", ""}, {"Text2", ""}, {"Label1", "初始"}}) {}

    static WindowDecl decl() {
        WindowDecl d;
        d.form = "FormSample";
        d.controls = {option("Option1", "圆(&Y)", "Y", true),
                      option("Option2", "方(&F)", "F"),
                      input("Text1", 4, FilterMode::Numeric_Pos),
                      input("Text2", 10, FilterMode::MaskedDate),
                      label("Label1", "初始"),
                      output("Text3")};
        for (auto& b : buttonRow(9)) d.controls.push_back(b);
        d.managesCopy = true;
        d.copyPrimary = "Text3";
        d.keyPreview = true;
        return d;
    }
    static Compute compute() {
        return [](const Texts& t) {
            Outcome o;
            Calculation calc;
            calc.step([&] { o.show("Text3", numberToText(toInt16(strictNumber(t.at("Text1")) * 1000))); });
            o.show("Label1", t.at("Option1") == "1" ? "圆" : "方");
            calc.reportTo(o);
            return o;
        };
    }
    int selects = 0;

protected:
    void onSelect(std::string_view) override { ++selects; }
};

const Message kCopyFirst{"计算结果出来后才可以复制！", "错误", MessageIcon::Error};
const Message kFailure{"发生错误！", "错误", MessageIcon::Error};

}  // namespace

TEST(WindowModel, CopyRuleAndCopyState) {
    Sample m;
    m.press("Command3");  // nothing to copy yet
    EXPECT_EQ(m.takeEvents(), (std::vector<WindowEvent>{{Kind::Message, kCopyFirst, ""}}));

    m.edit("Text1", "40");  // 40000 leaves the 16-bit range: the failing step leaves Text3 as it was
    m.press("Command1");
    EXPECT_EQ(m.takeEvents(), (std::vector<WindowEvent>{{Kind::Message, kFailure, ""}}));
    EXPECT_EQ(m.state("Text3").text, "");
    EXPECT_EQ(m.state("Label1").text, "圆");  // the next step still ran
    EXPECT_FALSE(m.state("Command3").enabled);
    m.press("Command3");  // a disabled button does nothing
    EXPECT_TRUE(m.takeEvents().empty());

    m.edit("Text1", "1.5");
    m.press("Command1");
    EXPECT_TRUE(m.state("Command3").enabled);
    m.press("Command3");
    EXPECT_EQ(m.takeEvents(), (std::vector<WindowEvent>{{Kind::Clipboard, {}, "1500"}}));

    m.edit("Text1", "99");
    m.press("Command1");
    EXPECT_FALSE(m.state("Command3").enabled);
    m.press("Command2");  // Clear enables Copy again and puts the label back
    EXPECT_TRUE(m.state("Command3").enabled);
    EXPECT_EQ(m.state("Label1").text, "初始");
    EXPECT_EQ(m.state("Text1").text, "");
    EXPECT_TRUE(m.state("Option1").checked);  // Clear leaves the options alone
}

TEST(WindowModel, EveryChangeOfABoxIsCutThenFiltered) {
    struct Case {
        const char* box;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {"Text1", "3.1.4", "3.1"},  // cut to four characters first, then the second point goes
        {"Text1", "-2.5", "2.5"},
        {"Text1", "１２", ""},
        {"Text1", "abc", ""},
        {"Text1", "\xff\xfe", ""},
        {"Text2", "20080808", "2008-08-08"},
        {"Text2", "2008-0", "2008-0"},
    };
    for (const auto& c : cases) {
        Sample m;
        m.edit(c.box, c.typed);
        EXPECT_EQ(m.state(c.box).text, c.shown) << c.typed;
    }
}

TEST(WindowModel, DateMaskTypedCharacterByCharacter) {
    Sample m;
    std::string text;
    for (char c : std::string("20080808")) {
        text = std::string(m.state("Text2").text) + c;
        m.edit("Text2", text);
    }
    EXPECT_EQ(m.state("Text2").text, "2008-08-08");
    EXPECT_FALSE(m.state("Text2").red);
    m.edit("Text2", "2008/");
    EXPECT_TRUE(m.state("Text2").red);
    EXPECT_EQ(kinds(m.takeEvents()), std::vector<Kind>{Kind::Beep});
    m.press("Command2");  // emptied by the program: the filter runs, the box stays red
    EXPECT_EQ(m.state("Text2").text, "");
    EXPECT_TRUE(m.state("Text2").red);
}

TEST(WindowModel, OptionKeysAndEnter) {
    Sample m;
    EXPECT_TRUE(m.key("f"));  // either case names the key
    EXPECT_TRUE(m.state("Option2").checked);
    EXPECT_FALSE(m.state("Option1").checked);
    EXPECT_EQ(m.selects, 1);
    EXPECT_FALSE(m.key("Q"));
    m.edit("Text1", "2");
    EXPECT_TRUE(m.key("Enter"));
    EXPECT_EQ(m.state("Text3").text, "2000");
    EXPECT_EQ(m.state("Label1").text, "方");
}

TEST(WindowModel, UnknownNamesAreProgrammingErrors) {
    Sample m;
    EXPECT_THROW(m.edit("Text9", "1"), ModelError);
    EXPECT_THROW(m.press("Text1"), ModelError);  // not a button
    EXPECT_THROW(m.state("Label9"), ModelError);
    WindowDecl twice = Sample::decl();
    twice.controls.push_back(label("Label1", "again"));
    EXPECT_THROW(WindowModel{twice}, ModelError);
    WindowDecl d = Sample::decl();
    // An outcome naming an undeclared control is refused whole, not half applied.
    WindowModel bad(d, [](const Texts&) {
        Outcome o;
        o.show("Label1", "改了");
        o.show("Labl2", "拼错");
        return o;
    });
    EXPECT_THROW(bad.press("Command1"), ModelError);
    EXPECT_EQ(bad.state("Label1").text, "初始");
}

TEST(WindowModel, JobsDisableCalculateUntilTheAnswerArrives) {
    class Slow : public WindowModel {
    public:
        Slow() : WindowModel(Sample::decl()) {}
        void onCalculate() override {
            startJob([](std::stop_token) {
                Outcome o;
                o.show("Text3", "42");
                return o;
            });
        }
    } m;
    m.press("Command1");
    EXPECT_TRUE(m.busy());
    EXPECT_FALSE(m.state("Command1").enabled);
    m.press("Command1");  // ignored while busy
    auto job = m.takeJob();
    ASSERT_TRUE(job);
    EXPECT_FALSE(m.takeJob());
    m.finishJob((*job)(std::stop_token{}));
    EXPECT_FALSE(m.busy());
    EXPECT_TRUE(m.state("Command1").enabled);
    EXPECT_EQ(m.state("Text3").text, "42");
}

TEST(WindowModel, LcmRejectionKeepsCopyDisabledUntilCalculateOrClear) {
    auto m = openWindowModel("Form13");
    ASSERT_TRUE(m);
    m->edit("Text1", "4");
    m->edit("Text2", "6");
    m->press("Command1");
    EXPECT_EQ(m->state("Label2").text, "12");
    m->edit("Text2", "0");
    m->press("Command1");
    EXPECT_EQ(m->takeEvents().size(), 1u);
    EXPECT_EQ(m->state("Label2").text, "");  // no stale number under the prompt
    EXPECT_FALSE(m->state("Command3").enabled);
    m->press("Command2");
    EXPECT_TRUE(m->state("Command3").enabled);
    EXPECT_EQ(m->state("Text1").text, "");
}

TEST(WindowTable, EveryFormIsUniqueAndOpens) {
    const auto& forms = windowForms();
    ASSERT_FALSE(forms.empty());
    for (std::size_t i = 0; i < forms.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(forms[i], forms[j]);
        auto m = openWindowModel(forms[i]);
        ASSERT_TRUE(m) << forms[i];
        EXPECT_EQ(m->form(), forms[i]);
    }
    EXPECT_FALSE(findWindowType("Form99"));
    EXPECT_THROW(openWindowModel("Form99"), ModelError);
}
