#include <gtest/gtest.h>

#include <set>

#include "framework/catalogue.h"

using namespace kz;

TEST(Catalogue, ShapeOfTheMenu) {
    auto cat = catalogue();
    std::set<std::string_view> names, forms;
    int commands = 0, separators = 0, menus = 0;
    int depth = -1;
    for (const auto& e : cat) {
        EXPECT_TRUE(names.insert(e.itemName).second) << "duplicate item " << e.itemName;
        EXPECT_LE(e.depth, depth + 1) << e.itemName << " skips a menu level";
        depth = e.depth;
        switch (e.kind) {
            case EntryKind::Menu: ++menus; break;
            case EntryKind::Separator: ++separators; break;
            case EntryKind::Command:
                ++commands;
                EXPECT_GE(e.depth, 1);
                if (!e.form.empty()) {
                    EXPECT_TRUE(forms.insert(e.form).second) << "two entries open " << e.form;
                    EXPECT_FALSE(e.title.empty());
                }
                break;
        }
    }
    EXPECT_EQ(menus, 8);  // three top-level menus and five submenus
    EXPECT_EQ(separators, 3);
    EXPECT_EQ(commands, 40);
    EXPECT_EQ(cat.front().itemName, "CountMenu");
    EXPECT_EQ(cat.back().itemName, "HelpAbout");
}

TEST(Catalogue, ToolNamesDropTheAccessKey) {
    struct Case {
        std::string_view caption, name;
    };
    const Case cases[] = {
        {"最大公因数(&D)", "最大公因数"},
        {"分数的四则运算(&A)", "分数的四则运算"},
        {"帮助(&H)", "帮助"},
        {"无快捷键", "无快捷键"},
        {"A&B", "AB"},
    };
    for (const auto& c : cases) EXPECT_EQ(toolName(c.caption), c.name);
}

TEST(Catalogue, LooksUpByWindow) {
    const CatalogueEntry* gcd = findByForm("Form12");
    ASSERT_NE(gcd, nullptr);
    EXPECT_EQ(gcd->itemName, "ToolboxDivisor");
    EXPECT_EQ(gcd->title, "最大公因数");
    EXPECT_EQ(findByForm("Form40")->title, "分解质因数 - KelbrinZorvan");
    EXPECT_EQ(findByForm("Form27")->shortcut, "F1");
    EXPECT_EQ(findByForm("Form99"), nullptr);
    EXPECT_EQ(findByForm(""), nullptr);
}
