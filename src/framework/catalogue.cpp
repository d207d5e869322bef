#include "framework/catalogue.h"

#include <array>

namespace kz {

namespace {

using K = EntryKind;

constexpr CatalogueEntry M(int depth, std::string_view item, std::string_view caption) {
    return {K::Menu, depth, item, caption, {}, {}, {}};
}
constexpr CatalogueEntry C(int depth, std::string_view item, std::string_view caption, std::string_view form,
                           std::string_view title, std::string_view shortcut = {}) {
    return {K::Command, depth, item, caption, form, title, shortcut};
}
constexpr CatalogueEntry S(int depth, std::string_view item) { return {K::Separator, depth, item, {}, {}, {}, {}}; }

constexpr auto kCatalogue = std::to_array<CatalogueEntry>({
    M(0, "CountMenu", "数学计算(&M)"),
    C(1, "CountStandardCalculator", "标准计算器(&S)", "Form5", "标准计算器"),
    C(1, "CountAccumulator", "累加器(&A)", "Form6", "累加器"),
    C(1, "CountRemainder", "余数计算(&R)", "Form11", "余数计算"),
    M(1, "CountFraction", "分数计算(&F)"),
    C(2, "CountFractionArithmetic", "分数的四则运算(&A)", "Form3", "分数的四则运算 - KelbrinZorvan"),
    C(2, "CountFractionThan", "分数比大小(&T)", "Form24", "分数比大小"),
    C(2, "CountFractionReduction", "分数约分(&R)", "Form20", "分数约分"),
    C(2, "CountFractionImproper", "假分数带分数互换(&I)", "Form37", "假分数带分数互换"),
    M(1, "Equation", "解方程(&E)"),
    C(2, "OneUnknown", "解一元一次方程(&O)", "Form31", "解一元一次方程 - KelbrinZorvan"),
    C(2, "TwoUnknown", "解二元一次方程组(&T)", "Form32", "解二元一次方程组 - KelbrinZorvan"),
    C(2, "ThreeUnknown", "解三元一次方程组(&H)", "Form33", "解三元一次方程组 - KelbrinZorvan"),
    S(1, "lineA"),
    C(1, "CountDeposit", "存款利率计算(&D)", "Form18", "存款利率计算"),
    C(1, "ToolboxDivisor", "最大公因数(&D)", "Form12", "最大公因数"),
    C(1, "ToolboxMultiple", "最小公倍数(&M)", "Form13", "最小公倍数"),
    C(1, "CountResolve", "分解质因数(&R)", "Form40", "分解质因数 - KelbrinZorvan"),
    C(1, "Statistics", "统计数据(&S)", "Form28", "统计数据 - KelbrinZorvan"),
    C(1, "ToolboxPrimenumber", "质数合数辨认器(&P)", "Form8", "质数合数辨认器"),
    C(1, "ToolboxNumberical", "数制转换(&N)", "Form14", "数制转换 - KelbrinZorvan"),
    C(1, "CountDateDiff", "两个日期间的天数(&D)", "Form41", "两个日期间的天数"),
    C(1, "CountCommonYear", "平年闰年辨认器(&C)", "Form42", "平年闰年辨认器"),
    S(1, "lineB"),
    M(1, "Formula", "公式计算(&F)"),
    C(2, "CountFormulaArea", "面积(&A)", "Form9", "面积 - KelbrinZorvan"),
    C(2, "CountFormulaCircumference", "周长(&C)", "Form10", "周长 - KelbrinZorvan"),
    C(2, "CountFormulaVolume", "体积(&V)", "Form16", "体积 - KelbrinZorvan"),
    C(2, "CountFormulaSurface", "表面积(&S)", "Form17", "表面积 - KelbrinZorvan"),
    M(1, "Olympic", "奥数计算(&O)"),
    C(2, "BoxOlympicSD", "和差问题(&S)", "Form19", "和差问题"),
    C(2, "BoxOlympicSM", "和倍问题(&M)", "Form21", "和倍问题"),
    C(2, "BoxOlympicDM", "差倍问题(&D)", "Form22", "差倍问题"),
    C(2, "BoxOlympicProfit", "盈亏问题(&P)", "Form23", "盈亏问题"),
    C(2, "BoxOlympicFowl", "鸡兔同笼(&F)", "Form7", "鸡兔同笼"),
    C(2, "OlympicCow", "牛吃草问题(&C)", "Form39", "牛吃草问题 - KelbrinZorvan"),
    C(2, "OlympicTrain", "火车行程问题(&T)", "Form29", "火车行程问题"),
    C(2, "OlympicRunning", "流水航行问题(&R)", "Form30", "流水航行问题"),
    M(0, "InterestMenu", "趣味数学(&I)"),
    C(1, "BoxKnow", "知识宝箱(&K)", "Form25", "知识宝箱 - KelbrinZorvan"),
    C(1, "Paradox", "悖论宝箱(&P)", "Form26", "悖论宝箱 - KelbrinZorvan"),
    S(1, "LineC"),
    M(1, "BoxExplore", "探索宝箱(&E)"),
    C(2, "BoxExploreConjecture", "迷人的猜想(&C)", "Form43", "迷人的猜想 - KelbrinZorvan"),
    C(2, "BoxExploreDimensions", "空间与图形(&D)", "Form44", "空间与图形 - KelbrinZorvan"),
    C(1, "BoxInterestingProblem", "趣题宝箱(&I)", "Form34", "趣题宝箱 - KelbrinZorvan"),
    M(0, "HelpMenu", "帮助(&H)"),
    C(1, "HelpHelp", "帮助(&H)", "Form27", "帮助 - KelbrinZorvan", "F1"),
    C(1, "HelpHome", "访问主页(&H)", {}, {}),
    C(1, "HelpSearch", "搜索(&S)", "Form38", "搜索 - KelbrinZorvan"),
    C(1, "HelpAbout", "关于(&A)", "Form4", "关于 KelbrinZorvan"),
});

}  // namespace

std::span<const CatalogueEntry> catalogue() { return kCatalogue; }

std::string toolName(std::string_view caption) {
    // The access-key part is the trailing "(&X)".
    auto open = caption.rfind("(&");
    if (open != std::string_view::npos && caption.size() >= open + 4 && caption.back() == ')')
        return std::string(caption.substr(0, open));
    std::string out;
    for (char c : caption)
        if (c != '&') out.push_back(c);
    return out;
}

const CatalogueEntry* findByForm(std::string_view form) {
    if (form.empty()) return nullptr;
    for (const auto& e : kCatalogue)
        if (e.kind == EntryKind::Command && e.form == form) return &e;
    return nullptr;
}

}  // namespace kz
