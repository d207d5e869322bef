// The case-window mechanism on a small window of its own: what a change of
// case writes, greys and empties, and the mistakes a table can hold.
#include <gtest/gtest.h>

#include "framework/casewindow.h"

using namespace kz;

namespace {

WindowDecl twoBoxes() {
    WindowDecl d;
    d.form = "FormCase";
    d.controls = {option("Option1", "一", "A", true),
                  option("Option2", "二", "B"),
                  label("Label1", "设计"),
                  input("Text1", 5, FilterMode::Numeric_Pos),
                  input("Text2", 5, FilterMode::Numeric_Pos),
                  output("Text3")};
    for (auto& b : buttonRow(0)) d.controls.push_back(b);
    d.managesCopy = true;
    d.keyPreview = true;
    return d;
}

CaseTable table(bool atLoad, bool copy) {
    CaseTable t;
    t.cases = {{"Option1", {{"Label1", "甲"}}, 1}, {"Option2", {{"Label1", "乙"}}, 2}};
    t.switched = {"Text1", "Text2"};
    t.emptied = {{"Text1", ""}, {"Text2", ""}, {"Text3", ""}};
    t.chooseFirstAtLoad = atLoad;
    t.enablesCopy = copy;
    return t;
}

// A failed calculation's Copy state, without a calculation.
struct Probe : CaseWindow {
    using CaseWindow::CaseWindow;
    void disableCopy() { setCopyEnabled(false); }
};

}  // namespace

TEST(CaseWindow, LoadEitherChoosesTheFirstCaseOrKeepsTheDesign) {
    for (bool atLoad : {true, false}) {
        CaseWindow m(twoBoxes(), table(atLoad, false), {});
        m.load();
        EXPECT_EQ(m.state("Label1").text, atLoad ? "甲" : "设计");
        EXPECT_EQ(m.state("Text2").enabled, !atLoad);
        EXPECT_EQ(m.chosenCase(), 0u);
    }
}

TEST(CaseWindow, AnotherCaseCaptionsGreysAndEmptiesTheSameCaseChangesNothing) {
    for (bool copy : {true, false}) {
        Probe m(twoBoxes(), table(true, copy), {});
        m.load();
        m.edit("Text1", "7");
        m.select("Option1");
        EXPECT_EQ(m.state("Text1").text, "7");
        m.disableCopy();
        EXPECT_TRUE(m.key("B"));
        EXPECT_EQ(m.chosenCase(), 1u);
        EXPECT_EQ(m.state("Label1").text, "乙");
        EXPECT_EQ(m.state("Text1").text, "");
        EXPECT_TRUE(m.state("Text2").enabled);
        EXPECT_EQ(m.state("Command3").enabled, copy);
    }
}

TEST(CaseWindow, ATableNamingAControlTheWindowLacksIsRefused) {
    auto misspelt = [](auto change) {
        CaseTable t = table(true, false);
        change(t);
        return [t] { CaseWindow m(twoBoxes(), t, {}); };
    };
    EXPECT_THROW(misspelt([](CaseTable& t) { t.cases[1].option = "Option3"; })(), ModelError);
    EXPECT_THROW(misspelt([](CaseTable& t) { t.cases[0].captions.push_back({"Label9", "x"}); })(), ModelError);
    EXPECT_THROW(misspelt([](CaseTable& t) { t.switched.push_back("Text9"); })(), ModelError);
    EXPECT_THROW(misspelt([](CaseTable& t) { t.emptied["Text9"] = ""; })(), ModelError);
}
