#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "app/search.h"
#include "app/toolsession.h"
#include "framework/catalogue.h"

using namespace kz;

namespace {

std::vector<std::string> found(std::string_view query) {
    const SearchRow* row = findSearchRow(query);
    if (!row) return {};
    return {row->tools.begin(), row->tools.end()};
}

std::string session(std::vector<std::string> args) {
    std::ostringstream out, err;
    args.insert(args.begin(), "Form38");
    EXPECT_EQ(runToolSession(args, out, err), 0) << err.str();
    return out.str();
}

}  // namespace

TEST(Search, FirstMatchingRowWins) {
    using V = std::vector<std::string>;
    struct Case {
        std::string_view query;
        V tools;
    };
    const Case cases[] = {
        {"倍数", {"最小公倍数", "和倍问题", "差倍问题"}},
        {"求最小公倍数", {"最小公倍数", "和倍问题", "差倍问题"}},
        {"三角形面积", {"面积"}},  // "面积" is tried before "三角形"
        {"三角形", {"面积", "周长"}},
        {"表面积", {"表面积"}},
        {"标准计算器", {"标准计算器"}},
        {"闰年", {"平年闰年辨认器"}},
        {"明年", {"两个日期间的天数"}},
        {"鸡兔", {}},  // only the whole keyword matches
        {"鸡兔同笼", {"鸡兔同笼"}},
        {"", {}},
        {"abc", {}},
        {"题", {"趣题宝箱"}},
    };
    for (const Case& c : cases) EXPECT_EQ(found(c.query), c.tools) << c.query;
    EXPECT_EQ(found("计算器").size(), 20u);
}

TEST(Search, TheTablesAgreeWithTheCatalogue) {
    EXPECT_EQ(searchRows().size(), 94u);
    std::set<std::string> catalogueTools;
    std::string_view top;
    for (const CatalogueEntry& e : catalogue()) {
        if (e.depth == 0) top = e.itemName;
        if (e.kind == EntryKind::Command && !e.form.empty() && top != "HelpMenu") {
            catalogueTools.insert(toolName(e.caption));
            EXPECT_EQ(formOfTool(toolName(e.caption)), e.form);
        }
    }
    EXPECT_EQ(catalogueTools.size(), 36u);
    for (const SearchRow& row : searchRows())
        for (std::string_view tool : row.tools)
            EXPECT_TRUE(catalogueTools.count(std::string(tool))) << row.keyword << " lists " << tool;
    // The help menu's entries are not tools.
    EXPECT_EQ(formOfTool("帮助"), "");
    EXPECT_EQ(formOfTool("搜索"), "");
    EXPECT_EQ(formOfTool("统计数据"), "Form28");
}

TEST(SearchWindow, SearchOpenAndCancel) {
    struct Case {
        std::vector<std::string> actions;
        std::string expected;  // lines that must appear, in order
    };
    const Case cases[] = {
        {{"Text1=倍数", "press:Command1"}, "List1=最小公倍数\\n和倍问题\\n差倍问题\n"},
        {{"Text1=鸡兔", "press:Command1"}, "message: KelbrinZorvan|information|对不起，没有找到相关结果！\n"},
        {{"press:Command1"}, "message: KelbrinZorvan|information|对不起，没有找到相关结果！\nText1=\n"},
        // A failed search keeps the earlier results.
        {{"Text1=倍数", "press:Command1", "Text1=鸡兔", "press:Command1"},
         "message: KelbrinZorvan|information|对不起，没有找到相关结果！\nText1=鸡兔\nCommand1=搜索\n"
         "List1=最小公倍数\\n和倍问题\\n差倍问题\n"},
        {{"Text1=统计", "press:Command1", "List1=统计数据", "press:Command2", "press:Command2"},
         "open: Form28\nopen: Form28\n"},
        {{"Text1=分数", "press:Command1", "press:Command2"}, "Text1=分数\n"},  // nothing selected: no open
        {{"Text1=一二三四五六七八九十百", "press:Command1"}, "Text1=一二三四五六七八九十\n"},
        {{"press:Command3"}, "closed\n"},
    };
    for (const Case& c : cases) {
        const std::string out = session(c.actions);
        EXPECT_NE(out.find(c.expected), std::string::npos) << out;
        if (c.actions.back() == "press:Command2" && c.expected.rfind("open:", 0) != 0) {
            EXPECT_EQ(out.find("open:"), std::string::npos) << out;
        }
    }
}

TEST(SearchWindow, FocusMovesTheDefaultButton) {
    auto m = openWindowModel("Form38");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->decl().title, "");  // the catalogue's "搜索 - KelbrinZorvan"
    EXPECT_EQ(m->defaultButton(), "Command1");
    m->focus("List1");
    EXPECT_EQ(m->defaultButton(), "Command2");
    m->focus("Text1");
    EXPECT_EQ(m->defaultButton(), "Command1");

    // Enter in the list opens the selected tool.
    m->edit("Text1", "方程");
    m->press("Command1");
    EXPECT_EQ(m->state("List1").selected, -1);
    m->focus("List1");
    m->edit("List1", "解二元一次方程组");
    EXPECT_TRUE(m->key("Enter"));
    const auto events = m->takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, WindowEvent::Kind::Open);
    EXPECT_EQ(events[0].text, "Form32");
    EXPECT_FALSE(m->closed());  // the search window stays
}
