// The working's plain text: what kztool prints and Copy takes.
#include <gtest/gtest.h>

#include "app/toolsession.h"
#include "framework/working.h"
#include "workingcheck.h"

using namespace kz;

namespace {

std::string text(const Working& w) { return w.plainText(); }

}  // namespace

TEST(Working, PlainTextOfEachBlockKind) {
    struct Case {
        const char* what;
        Working working;
        const char* plain;
    };
    const Case cases[] = {
        {"ladder", Working().ladder({{"2", {"12", "18"}, {}}, {"3", {"6", "9"}, {}}}, {"2", "3"}),
         "2 | 12 18\n3 | 6 9\n    2 3"},
        {"remainders", Working().ladder({{"2", {"13"}, "1"}, {"2", {"6"}, "0"}}, {"3"}),
         "2 | 13 …… 1\n2 | 6 …… 0\n    3"},
        {"divisors of two widths line up", Working().ladder({{"2", {"26"}, {}}, {"13", {"13"}, {}}}, {"1"}),
         " 2 | 26\n13 | 13\n     1"},
        {"steps", Working().steps({"2＋3×4", "2＋12", "14"}), "2＋3×4\n＝2＋12\n＝14"},
        {"sentences with leads", Working().line("17÷5＝3……2").line(lead::kCheck, "5×3＋2＝17"),
         "17÷5＝3……2\n验算：5×3＋2＝17"},
        {"empty", Working(), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(text(c.working), c.plain) << c.what;
}

TEST(Working, DisplayWidthCountsFullWidthTwice) {
    EXPECT_EQ(displayWidth("12"), 2);
    EXPECT_EQ(displayWidth("＝"), 2);
    EXPECT_EQ(displayWidth("最大公因数：6"), 13);
}

TEST(Working, KztoolListsNoToggleWithoutTheFlagAndNoLinesWithoutAWorking) {
    std::ostringstream plain, flagged, err;
    ASSERT_EQ(runToolSession({"Form12", "Text2=12", "Text1=18", "press:Command1"}, plain, err), 0);
    EXPECT_EQ(plain.str().find("cmdWorking"), std::string::npos);
    ASSERT_EQ(runToolSession({"--working", "Form12", "press:Command2"}, flagged, err), 0);
    EXPECT_EQ(flagged.str().find("working:"), std::string::npos);
}

TEST(WorkingCheck, FindsOnlyTheJoinsThatAreFalse) {
    using kz::test::unequalJoins;
    struct Case {
        Working working;
        std::size_t problems;
    };
    const Case cases[] = {
        {Working().steps({"25×4＋36÷6", "100＋6", "106"}), 0},
        {Working().steps({"2＋3×4", "5×4", "20"}), 2},  // each against the first
        {Working().steps({"S＝a×h÷2", "5×4÷2", "10"}), 0},
        {Working().line("最大公因数：2×3＝6"), 0},
        {Working().line("1/2＋1/3＝5/6，2又1/3＝7/3"), 0},
        {Working().line("1/2＋1/3＝2/5"), 1},
        {Working().line(lead::kVerify, "左边＝2×4＋3＝11＝右边，所以x＝4是方程的解。"), 0},
        {Working().line("利息＝10000×2.25%×1＝225"), 0},
        {Working().line("兔：24÷2＝12（只）"), 0},
        {Working().line("17÷5＝3……2"), 0},
        {Working().line("x＝1/3≈0.333333333333333"), 0},
        {Working().line("从下往上读余数：13＝(1101)₂"), 0},
        {Working().line("(－3)×2＝－6，2^10＝1024"), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(unequalJoins(c.working).size(), c.problems) << c.working.plainText();
    EXPECT_TRUE(unequalJoins(Working().line("10÷3＝3.33333333333333"), 1e-13).empty());
    EXPECT_FALSE(unequalJoins(Working().line("10÷3＝3.33333333333333")).empty());
}
