#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/toolsession.h"
#include "framework/windowmodel.h"
#include "tools/geometry/figures.h"

using namespace kz;

namespace {

std::unique_ptr<WindowModel> open(const char* form) {
    auto m = openWindowModel(form);
    EXPECT_NE(m, nullptr) << form;
    return m;
}

std::string text(const WindowModel& m, const std::string& name) { return m.state(name).text; }

// One figure reached from a freshly opened window by its letter key.
struct FigureCase {
    const char* form;
    const char* key;  // nullptr: the figure the window opens with
    const char* option;
    const char* formula;
    const char* note;
    std::vector<const char*> labels;  // every measure label, top to bottom
    int enabled;                      // boxes enabled from the top
    std::vector<const char*> measures;
    const char* result;
};

const FigureCase kFigures[] = {
    // Area: the triangle is chosen at load; the other labels keep the triangle's or the design's captions.
    {"Form9",
     nullptr,
     "Option1",
     " S＝a·h÷2",
     "注：a为三角形的底，h为底边上的高。",
     {"a=", "h=", "c="},
     2,
     {"3", "4"},
     "6"},
    {"Form9",
     "P",
     "Option2",
     " S＝a·h",
     "注：a为平行四边形的底，h为底边上的高。",
     {"a=", "h=", "c="},
     2,
     {"3", "4"},
     "12"},
    {"Form9",
     "C",
     "Option3",
     " S＝a·b",
     "注：a为长方形的长，b为长方形的宽。",
     {"a=", "b=", "c="},
     2,
     {"2.5", "4"},
     "10"},
    {"Form9", "Z", "Option4", " S＝a·a", "注：a为正方形的边长。", {"a=", "h=", "c="}, 1, {"5"}, "25"},
    {"Form9", "Z", "Option4", " S＝a·a", "注：a为正方形的边长。", {"a=", "h=", "c="}, 1, {""}, "0"},
    {"Form9",
     "T",
     "Option5",
     " S＝(a+b)·h÷2",
     "注：a、b分别为梯形的上底与下底，h为底边上的高。",
     {"a=", "b=", "h="},
     3,
     {"2", "4", "3"},
     "9"},
    {"Form9",
     "L",
     "Option6",
     " S＝d1·d2÷2",
     "注：d1、d2分别为菱形的两条对角线。",
     {"d1=", "d2=", "c="},
     2,
     {"6", "8"},
     "24"},
    {"Form9",
     "Y",
     "Option7",
     " S＝r·r·π",
     "注：π为圆周率（取3.14），r为圆的半径。",
     {"r=", "h=", "c="},
     1,
     {"1"},
     "3.14"},
    {"Form9",
     "y",
     "Option7",
     " S＝r·r·π",
     "注：π为圆周率（取3.14），r为圆的半径。",
     {"r=", "h=", "c="},
     1,
     {"3"},
     "28.26"},
    {"Form9",
     "H",
     "Option8",
     " S＝r·r·π·a/360",
     "注：π为圆周率（取3.14），r为圆的半径，a为扇形圆心角的度数。",
     {"r=", "a=", "c="},
     2,
     {"2", "90"},
     "3.14"},
    {"Form9",
     "H",
     "Option8",
     " S＝r·r·π·a/360",
     "注：π为圆周率（取3.14），r为圆的半径，a为扇形圆心角的度数。",
     {"r=", "a=", "c="},
     2,
     {"1", "360"},
     "3.14"},
    {"Form9",
     "H",
     "Option8",
     " S＝r·r·π·a/360",
     "注：π为圆周率（取3.14），r为圆的半径，a为扇形圆心角的度数。",
     {"r=", "a=", "c="},
     2,
     {"2", "400"},
     "a不能大于360"},
    // Perimeter.
    {"Form10",
     nullptr,
     "Option1",
     "C＝a+b+c",
     "注：a、b、c分别为三角形的三边长。",
     {"a=", "b=", "c=", "d="},
     3,
     {"3", "4", "5"},
     "12"},
    {"Form10",
     "P",
     "Option2",
     "C＝2(a+b)",
     "注：a、b分别为平行四边形相邻的两边长。",
     {"a=", "b=", "c=", "d="},
     2,
     {"2", "3"},
     "10"},
    {"Form10",
     "C",
     "Option3",
     "C＝2(a+b)",
     "注：a、b分别为长方形的长和宽。",
     {"a=", "b=", "c=", "d="},
     2,
     {"0.1", "0.2"},
     "0.6"},
    {"Form10", "Z", "Option4", "C＝4a", "注：a为正方形的边长。", {"a=", "b=", "c=", "d="}, 1, {"2.5"}, "10"},
    {"Form10",
     "T",
     "Option5",
     "C＝a+b+c+d",
     "注：a、b、c、d分别为梯形的上、下底和两腰。",
     {"a=", "b=", "c=", "d="},
     4,
     {"1", "2", "3", "4"},
     "10"},
    {"Form10", "L", "Option6", "C＝4a", "注：a为菱形的边长。", {"a=", "b=", "c=", "d="}, 1, {"7"}, "28"},
    {"Form10",
     "Y",
     "Option7",
     "C＝πd",
     "注：π为圆周率（取3.14），d为圆的直径。",
     {"d=", "b=", "c=", "d="},
     1,
     {"10"},
     "31.4"},
    {"Form10",
     "H",
     "Option8",
     "C＝2r[1+(πa/360)]",
     "注：π为圆周率（取3.14），r为圆半径，a为扇形圆心角的度数。",
     {"r=", "a=", "c=", "d="},
     2,
     {"1", "180"},
     "5.14"},
    {"Form10",
     "H",
     "Option8",
     "C＝2r[1+(πa/360)]",
     "注：π为圆周率（取3.14），r为圆半径，a为扇形圆心角的度数。",
     {"r=", "a=", "c=", "d="},
     2,
     {"1", "360.5"},
     "a不能大于360"},
    // Volume: the cube is chosen at load.
    {"Form16", nullptr, "Option1", " V=a·a·a", "注：a为正方体的棱长。", {"a=", "b=", "c="}, 1, {"3"}, "27"},
    {"Form16",
     "C",
     "Option2",
     " V=abc",
     "注：a，b，c分别为长方体的长、宽、高。",
     {"a=", "b=", "c="},
     3,
     {"2", "3", "4"},
     "24"},
    {"Form16",
     "Y",
     "Option3",
     " V=r·r·π·h",
     "注：π为圆周率（取3.14），r为圆柱底面的半径，h为圆柱的高。",
     {"r=", "h=", "c="},
     2,
     {"1", "1"},
     "3.14"},
    {"Form16",
     "U",
     "Option4",
     " V=r·r·π·h÷3",
     "注：π为圆周率（取3.14），r为圆锥底面的半径，h为圆锥的高。",
     {"r=", "h=", "c="},
     2,
     {"3", "4"},
     "37.68"},
    // Surface area.
    {"Form17", nullptr, "Option1", " S=a·a·6", "注：a为正方体的棱长。", {"a=", "b=", "c="}, 1, {"3"}, "54"},
    {"Form17",
     "C",
     "Option2",
     " S=2(ab+bc+ac)",
     "注：a，b，c分别为长方体的长、宽、高。",
     {"a=", "b=", "c="},
     3,
     {"2", "3", "4"},
     "52"},
    {"Form17",
     "Y",
     "Option3",
     " S=2πr(r+h)",
     "注：π为圆周率（取3.14），r为圆柱底面的半径，h为圆柱的高。",
     {"r=", "h=", "c="},
     2,
     {"1", "1"},
     "12.56"},
    {"Form17",
     "U",
     "Option4",
     " S=πr(l+r)",
     "注：π为圆周率（取3.14），r为圆锥底面的半径，l为圆锥的母线。",
     {"r=", "l=", "c="},
     2,
     {"3", "5"},
     "75.36"},
};

struct Layout {
    const char* formula;
    const char* note;
    std::vector<const char*> labels, boxes;
    const char* result;
};

const std::map<std::string, Layout> kLayouts = {
    {"Form9", {"Text4", "Label10", {"Label12", "Label13", "Label14"}, {"Text1", "Text2", "Text3"}, "Text5"}},
    {"Form10",
     {"Text5", "Label3", {"Label4", "Label5", "Label6", "Label9"}, {"Text1", "Text2", "Text3", "Text4"}, "Text6"}},
    {"Form16", {"Text4", "Label3", {"Label4", "Label5", "Label6"}, {"Text1", "Text2", "Text3"}, "Text5"}},
    {"Form17", {"Text4", "Label3", {"Label4", "Label5", "Label6"}, {"Text1", "Text2", "Text3"}, "Text5"}},
};

}  // namespace

TEST(Figures, EveryFigureShowsItsFormulaLabelsBoxesAndResult) {
    for (const FigureCase& c : kFigures) {
        SCOPED_TRACE(std::string(c.form) + " " + c.option + " " + c.result);
        const Layout& l = kLayouts.at(c.form);
        auto m = open(c.form);
        if (c.key) {
            EXPECT_TRUE(m->key(c.key));
        }
        EXPECT_TRUE(m->state(c.option).checked);
        EXPECT_EQ(text(*m, l.formula), c.formula);
        EXPECT_EQ(text(*m, l.note), c.note);
        for (std::size_t i = 0; i < l.labels.size(); ++i) {
            EXPECT_EQ(text(*m, l.labels[i]), c.labels[i]) << l.labels[i];
            EXPECT_EQ(m->state(l.boxes[i]).enabled, static_cast<int>(i) < c.enabled) << l.boxes[i];
        }
        for (std::size_t i = 0; i < c.measures.size(); ++i) m->edit(l.boxes[i], c.measures[i]);
        m->press("Command1");
        EXPECT_EQ(text(*m, l.result), c.result);
        EXPECT_TRUE(m->takeEvents().empty());
        m->press("Command3");
        auto events = m->takeEvents();
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].kind, WindowEvent::Kind::Clipboard);
        EXPECT_EQ(events[0].text, c.result);
        EXPECT_TRUE(m->state("Command3").enabled);
    }
}

TEST(Figures, OpeningStateEveryWindow) {
    struct Open {
        const char* form;
        const char* resultLabel;
        const char* resultCaption;
        const char* hiddenOption;
    };
    for (const Open& o : {Open{"Form9", "Label15", "S=", nullptr}, Open{"Form10", "Label7", "C=", "Option9"},
                          Open{"Form16", "Label7", "V=", "Option5"}, Open{"Form17", "Label7", "S=", nullptr}}) {
        SCOPED_TRACE(o.form);
        auto m = open(o.form);
        EXPECT_TRUE(m->decl().keyPreview);
        EXPECT_FALSE(m->decl().managesCopy);
        EXPECT_TRUE(m->state("Option1").checked);
        EXPECT_EQ(text(*m, "Label1"), "计算公式：");
        EXPECT_EQ(text(*m, o.resultLabel), o.resultCaption);
        if (o.hiddenOption) {
            EXPECT_FALSE(m->state(o.hiddenOption).checked);
            EXPECT_FALSE(m->state(o.hiddenOption).visible);
            m->select(o.hiddenOption);  // off screen: no click reaches it
            EXPECT_TRUE(m->state("Option1").checked);
        }
        for (const char* b : {"Command1", "Command2", "Command3"}) EXPECT_FALSE(m->declOf(b).at.empty()) << b;
        // Copy in a fresh window asks for a result first and leaves the clipboard alone.
        m->press("Command3");
        auto events = m->takeEvents();
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].message.text, "计算结果出来后才可以复制！");
        EXPECT_EQ(events[0].message.title, "错误");
    }
}

TEST(Figures, ChoosingAnotherFigureEmptiesTheBoxesAndGreysUnusedOnes) {
    auto m = open("Form9");
    m->edit("Text1", "3");
    m->edit("Text2", "4");
    m->press("Command1");
    ASSERT_EQ(text(*m, "Text5"), "6");
    m->key("Y");  // the circle, as in any box
    EXPECT_EQ(text(*m, "Text4"), " S＝r·r·π");
    for (const char* b : {"Text1", "Text2", "Text3", "Text5"}) EXPECT_EQ(text(*m, b), "") << b;
    EXPECT_FALSE(m->state("Text2").enabled);
    // A greyed box takes no typing.
    m->edit("Text2", "9");
    EXPECT_EQ(text(*m, "Text2"), "");
    // Choosing the figure already chosen is no change: the typed radius stays.
    m->edit("Text1", "2");
    m->key("Y");
    m->select("Option7");
    EXPECT_EQ(text(*m, "Text1"), "2");
    // A letter that names no figure does nothing at window level.
    EXPECT_FALSE(m->key("Q"));
}

TEST(Figures, LabelsOfUnusedBoxesKeepTheirLastCaption) {
    auto m = open("Form16");
    m->key("Y");  // cylinder: r=, h=
    m->key("C");  // cuboid sets a=, b=; c= was never changed
    EXPECT_EQ(text(*m, "Label4"), "a=");
    EXPECT_EQ(text(*m, "Label5"), "b=");
    EXPECT_EQ(text(*m, "Label6"), "c=");
    m->key("Y");
    m->key("Z");  // cube sets only a=
    EXPECT_EQ(text(*m, "Label4"), "a=");
    EXPECT_EQ(text(*m, "Label5"), "h=");
    EXPECT_FALSE(m->state("Text2").enabled);
    EXPECT_FALSE(m->state("Text3").enabled);

    auto p = open("Form10");
    p->key("H");  // sector: r=, a=
    p->key("Y");  // circle: d= into the first label only
    EXPECT_EQ(text(*p, "Label4"), "d=");
    EXPECT_EQ(text(*p, "Label5"), "a=");
}

TEST(Figures, ConeKeyIsUAndGreysTheThirdBox) {
    auto m = open("Form16");
    m->key("C");
    m->edit("Text3", "5");
    m->key("U");
    EXPECT_TRUE(m->state("Option4").checked);
    EXPECT_EQ(text(*m, "Text4"), " V=r·r·π·h÷3");
    EXPECT_TRUE(m->state("Text2").enabled);
    EXPECT_FALSE(m->state("Text3").enabled);
    EXPECT_EQ(text(*m, "Text3"), "");
}

TEST(Figures, ClearKeepsTheFigureAndFormula) {
    auto m = open("Form10");
    m->key("T");
    for (const char* b : {"Text1", "Text2", "Text3", "Text4"}) m->edit(b, "1");
    m->press("Command1");
    ASSERT_EQ(text(*m, "Text6"), "4");
    m->press("Command2");
    for (const char* b : {"Text1", "Text2", "Text3", "Text4", "Text6"}) EXPECT_EQ(text(*m, b), "") << b;
    EXPECT_TRUE(m->state("Option5").checked);
    EXPECT_EQ(text(*m, "Text5"), "C＝a+b+c+d");
    EXPECT_TRUE(m->state("Text4").enabled);
}

TEST(Figures, MeasuresAreReadByTheirLeadingNumber) {
    // The boxes only admit digits and one point, but a point alone or at
    // either end must read as a number, not fail.
    const auto& s = areaDesign();
    struct Case {
        const char* a;
        const char* b;
        const char* result;
    };
    for (const Case& c : {Case{".5", "4", "1"}, Case{"5.", "2", "5"}, Case{".", "4", "0"},
                          Case{"9999999999999999999", "9999999999999999999", "5E+37"}}) {
        Outcome o = figureCalculate(s, 0, Texts{{"Text1", c.a}, {"Text2", c.b}, {"Text3", ""}});
        EXPECT_EQ(o.set.at("Text5"), c.result) << c.a << " " << c.b;
        EXPECT_TRUE(o.messages.empty());
    }
}

TEST(Layout, EveryVisibleControlLiesInsideTheClientAreaAndApartFromTheOthers) {
    for (const char* form : {"Form9", "Form10", "Form16", "Form17", "Form7", "Form19", "Form21", "Form22", "Form23",
                             "Form39", "Form29", "Form30"}) {
        auto m = open(form);
        const Twips client = m->decl().client;
        ASSERT_FALSE(client.empty()) << form;
        std::vector<const ControlDecl*> placed;
        for (const ControlDecl& d : m->decl().controls) {
            if (!d.visible || d.addition) continue;  // the view places our additions (the working toggle)
            EXPECT_FALSE(d.at.empty()) << form << " " << d.name;
            EXPECT_LE(d.at.left + d.at.width, client.width) << form << " " << d.name;
            EXPECT_LE(d.at.top + d.at.height, client.height) << form << " " << d.name;
            if (d.kind != ControlKind::Line) placed.push_back(&d);
        }
        for (std::size_t i = 0; i < placed.size(); ++i)
            for (std::size_t j = i + 1; j < placed.size(); ++j) {
                const Twips a = placed[i]->at, b = placed[j]->at;
                const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                                   a.top + a.height <= b.top || b.top + b.height <= a.top;
                EXPECT_TRUE(apart) << form << " " << placed[i]->name << " " << placed[j]->name;
            }
    }
}

TEST(Figures, ScriptedSessionShowsTheCircle) {
    std::ostringstream out, err;
    ASSERT_EQ(runToolSession({"Form9", "key:Y", "Text1=3", "press:Command1"}, out, err), 0);
    EXPECT_NE(out.str().find("Text4= S＝r·r·π\n"), std::string::npos);
    EXPECT_NE(out.str().find("Text5=28.26\n"), std::string::npos);
    EXPECT_NE(out.str().find("Text2:disabled\n"), std::string::npos);
}

TEST(Figures, MeasureBeyondTheDoubleRangeFailsWithoutAResult) {
    Outcome o = figureCalculate(areaDesign(), 7, Texts{{"Text1", "1e999"}, {"Text2", "400"}, {"Text3", ""}});
    EXPECT_TRUE(o.set.empty());
    EXPECT_EQ(o.messages.size(), 1u);
}
