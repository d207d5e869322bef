#include "app/search.h"

#include "framework/catalogue.h"

namespace kz {

std::span<const SearchRow> searchRows() {
    // Tried top to bottom and the first hit wins, so the longer words come
    // before the words they contain ("表面积" before "面积", "平年" before "年").
    static const std::vector<SearchRow> rows = {
        {"标准计算器", {"标准计算器"}},
        {"和差问题", {"和差问题"}},
        {"和倍问题", {"和倍问题"}},
        {"差倍问题", {"差倍问题"}},
        {"短除法", {"分解质因数"}},
        {"计算器",
         {"标准计算器",       "累加器",       "余数计算", "分数的四则运算", "解一元一次方程", "解二元一次方程组",
          "解三元一次方程组", "存款利率计算", "面积",     "周长",           "体积",           "表面积",
          "和差问题",         "和倍问题",     "差倍问题", "盈亏问题",       "鸡兔同笼",       "牛吃草问题",
          "火车行程问题",     "流水航行问题"}},
        {"负数", {"标准计算器"}},
        {"四则运算", {"标准计算器", "分数的四则运算"}},
        {"等差数列", {"累加器"}},
        {"累加", {"累加器"}},
        {"首项", {"累加器"}},
        {"末项", {"累加器"}},
        {"项数", {"累加器"}},
        {"除", {"余数计算"}},
        {"余数", {"余数计算"}},
        {"商", {"余数计算"}},
        {"分数", {"分数的四则运算", "分数比大小", "分数约分", "假分数带分数互换"}},
        {"分子", {"分数的四则运算", "分数比大小", "分数约分", "假分数带分数互换"}},
        {"分母", {"分数的四则运算", "分数比大小", "分数约分", "假分数带分数互换"}},
        {"大于", {"分数比大小"}},
        {"小于", {"分数比大小"}},
        {"等于", {"分数比大小"}},
        {"约分", {"分数约分"}},
        {"方程", {"解一元一次方程", "解二元一次方程组", "解三元一次方程组"}},
        {"一元一次", {"解一元一次方程"}},
        {"二元一次", {"解二元一次方程组"}},
        {"三元一次", {"解三元一次方程组"}},
        {"未知数", {"解一元一次方程", "解二元一次方程组", "解三元一次方程组"}},
        {"存款", {"存款利率计算"}},
        {"利率", {"存款利率计算"}},
        {"本金", {"存款利率计算"}},
        {"因数", {"最大公因数", "分解质因数"}},
        {"约数", {"最大公因数"}},
        {"倍数", {"最小公倍数", "和倍问题", "差倍问题"}},
        {"互质", {"分解质因数"}},
        {"平均数", {"统计数据"}},
        {"中位数", {"统计数据"}},
        {"众数", {"统计数据"}},
        {"和", {"统计数据", "和差问题", "和倍问题"}},
        {"最大值", {"统计数据"}},
        {"最小值", {"统计数据"}},
        {"统计", {"统计数据"}},
        {"数据", {"统计数据"}},
        {"质数", {"分解质因数", "质数合数辨认器"}},
        {"合数", {"分解质因数", "质数合数辨认器"}},
        {"素数", {"质数合数辨认器"}},
        {"进制", {"数制转换"}},
        {"数制", {"数制转换"}},
        {"平年", {"平年闰年辨认器"}},
        {"闰年", {"平年闰年辨认器"}},
        {"年份", {"平年闰年辨认器"}},
        {"日期", {"两个日期间的天数"}},
        {"年", {"两个日期间的天数"}},
        {"天", {"两个日期间的天数"}},
        {"表面积", {"表面积"}},
        {"面积", {"面积"}},
        {"三角形", {"面积", "周长"}},
        {"平行四边形", {"面积", "周长"}},
        {"长方形", {"面积", "周长"}},
        {"正方形", {"面积", "周长"}},
        {"梯形", {"面积", "周长"}},
        {"菱形", {"面积", "周长"}},
        {"圆形", {"面积", "周长"}},
        {"扇形", {"面积", "周长"}},
        {"公式", {"面积", "周长", "体积", "表面积"}},
        {"图形", {"面积", "周长", "体积", "表面积", "空间与图形"}},
        {"周长", {"周长"}},
        {"体积", {"体积"}},
        {"正方体", {"体积", "表面积"}},
        {"长方体", {"体积", "表面积"}},
        {"圆柱", {"体积", "表面积"}},
        {"圆锥", {"体积", "表面积"}},
        {"奥数",
         {"和差问题", "和倍问题", "差倍问题", "盈亏问题", "鸡兔同笼", "牛吃草问题", "火车行程问题", "流水航行问题"}},
        {"和差问题", {"和差问题"}},
        {"差", {"和差问题", "差倍问题"}},
        {"和倍问题", {"和倍问题"}},
        {"差倍问题", {"差倍问题"}},
        {"盈亏问题", {"盈亏问题"}},
        {"盈", {"盈亏问题"}},
        {"亏", {"盈亏问题"}},
        {"鸡兔同笼", {"鸡兔同笼"}},
        {"牛吃草", {"牛吃草问题"}},
        {"火车行程问题", {"火车行程问题"}},
        {"行程问题", {"火车行程问题", "流水航行问题"}},
        {"流水航行问题", {"流水航行问题"}},
        {"知识", {"知识宝箱"}},
        {"悖论", {"悖论宝箱"}},
        {"探索", {"迷人的猜想", "空间与图形"}},
        {"猜想", {"迷人的猜想"}},
        {"定理", {"迷人的猜想"}},
        {"空间", {"空间与图形"}},
        {"几何", {"空间与图形"}},
        {"趣", {"趣题宝箱"}},
        {"题", {"趣题宝箱"}},
    };
    return rows;
}

const SearchRow* findSearchRow(std::string_view query) {
    // Whole UTF-8 sequences only match whole sequences, so a byte search is
    // a character search here.
    for (const SearchRow& row : searchRows())
        if (query.find(row.keyword) != std::string_view::npos) return &row;
    return nullptr;
}

std::string_view formOfTool(std::string_view name) {
    std::string_view topMenu;
    for (const CatalogueEntry& e : catalogue()) {
        if (e.depth == 0) topMenu = e.itemName;
        if (e.kind != EntryKind::Command || e.form.empty() || topMenu == "HelpMenu") continue;
        if (toolName(e.caption) == name) return e.form;
    }
    return {};
}

namespace {

class SearchWindow : public WindowModel {
public:
    using WindowModel::WindowModel;

protected:
    void onPress(std::string_view name) override {
        if (name == "Command1") search();
        else if (name == "Command2") openSelected();
        else if (name == "Command3") close();  // hidden for good: the panel makes a new one next time
    }

    void onFocus(std::string_view name) override {
        if (name == "Text1") setDefaultButton("Command1");
        else if (name == "List1") setDefaultButton("Command2");
    }

private:
    void search() {
        const SearchRow* row = findSearchRow(text("Text1"));
        if (!row) {
            // The list keeps the earlier results.
            message(
                {std::string(kSearchNothingFound), std::string(kSearchNothingFoundTitle), MessageIcon::Information});
            return;
        }
        setLines("List1", std::vector<std::string>(row->tools.begin(), row->tools.end()));
    }

    void openSelected() {
        const ControlState& list = state("List1");
        if (list.selected < 0 || list.selected >= static_cast<int>(list.lines.size())) return;
        const std::string_view form = formOfTool(list.lines[static_cast<std::size_t>(list.selected)]);
        if (!form.empty()) open(std::string(form));
    }
};

}  // namespace

std::unique_ptr<WindowModel> makeSearchWindow() {
    WindowDecl d;
    d.form = "Form38";
    d.client = {0, 0, 3615, 3930};
    d.controls = {input("Text1", 10, FilterMode::None, "搜索内容").place(120, 150, 2295, 330),
                  button("Command1", "搜索").defaultButton().place(2535, 120, 960, 390),
                  list("List1").place(120, 660, 3375, 2595), button("Command2", "打开").place(120, 3405, 1215, 390),
                  button("Command3", "取消").place(2280, 3405, 1215, 390)};
    return std::make_unique<SearchWindow>(std::move(d));
}

}  // namespace kz
