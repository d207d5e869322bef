#include "tools/wordproblem/wordproblems.h"
#include "tools/wordproblem/wordwindow.h"

namespace kz {

Outcome surplusCalculate(std::size_t which, std::string_view firstText, std::string_view secondText,
                         std::string_view differenceText) {
    Outcome out;
    Calculation calc(true);
    double a = 0, b = 0, d = 0;
    if (!readLeading(calc, {{&a, firstText}, {&b, secondText}, {&d, differenceText}})) {
        calc.reportTo(out);
        return out;
    }
    if (which != 0 && !(b < a)) {
        out.show("Text4", which == 1 ? "大盈必须大于小盈！" : "大亏必须大于小亏！");
        out.failed = true;
        return out;
    }
    const double total = which == 0 ? a + b : a - b;
    double shares = 0;
    calc.step([&] { shares = quotientOrFail(total, d); });
    std::string sharesText;
    calc.step([&] { sharesText = numberToText(shares); });
    if (!calc.failed()) {
        out.show("Text4", sharesText);
        out.working = workingOf([&] {
            // Both shares-outs differ by the whole of the surplus and deficit
            // (or by the difference of two surpluses or of two deficits).
            const char* const names[] = {"盈＋亏", "大盈－小盈", "大亏－小亏"};
            const std::string given = operand(a) + (which == 0 ? "＋" : "－") + operand(b);
            Working w;
            w.line("相差的总数：" + std::string(names[which < 3 ? which : 0]) + "＝" + given + "＝" + num(total));
            w.line("份数：相差的总数÷分配数的差＝" + operand(total) + "÷" + operand(d) + "＝" + sharesText);
            w.line(lead::kCheck, operand(shares) + "×" + operand(d) + checkSign(shownValue(shares) * d, total) + given);
            return w;
        });
    }
    calc.reportTo(out);
    return out;
}

std::unique_ptr<WindowModel> makeSurplusWindow() {
    WordWindowDesign s;
    WindowDecl& d = s.decl;
    d.form = "Form23";
    d.keyPreview = true;
    d.controls = {option("Option1", "一盈一亏", "Y", true).inRow(0), option("Option2", "双盈", "S").inRow(0),
                  option("Option3", "双亏", "H").inRow(0), line("Line1").inRow(1)};
    addRow(d, 2, label("Label1", "盈"), input("Text1", 19, FilterMode::Numeric_Pos));
    addRow(d, 3, label("Label2", "亏"), input("Text2", 19, FilterMode::Numeric_Pos));
    addRow(d, 4, label("Label8", "分配数的差"), input("Text3", 19, FilterMode::Numeric_Pos));
    addRow(d, 5, label("Label3", "份数"), output("Text4"));
    const char* const examples[] = {
        "例题：老师给同学分梨，如果每人分3个，则多3个；如果每人分4个，则少20个。有多少个同学？多少个梨？",
        "例题：老师给同学分梨，如果每人分2个，则多25个；如果每人分3个，则多8个。有多少个同学？多少个梨？",
        "例题：老师给同学分梨，如果每人分4个，则少21个；如果每人分6个，则少83个。有多少个同学？多少个梨？",
    };
    d.controls.push_back(label("Label7", examples[0]).inRow(6));
    d.controls.push_back(line("Line2").inRow(7));
    for (auto& b : buttonRow(8)) d.controls.push_back(b);
    d.managesCopy = true;
    d.copyPrimary = "Text4";
    d.showsWorking = true;
    s.rejectionBox = "Text4";
    s.cases = {{"Option1", {{"Label1", "盈"}, {"Label2", "亏"}, {"Label7", examples[0]}}},
               {"Option2", {{"Label1", "大盈"}, {"Label2", "小盈"}, {"Label7", examples[1]}}},
               {"Option3", {{"Label1", "大亏"}, {"Label2", "小亏"}, {"Label7", examples[2]}}}};
    s.emptied = {{"Text1", ""}, {"Text2", ""}, {"Text3", ""}, {"Text4", ""}};
    s.caseEnablesCopy = true;
    s.calculate = [](std::size_t c, const Texts& t) {
        return surplusCalculate(c, t.at("Text1"), t.at("Text2"), t.at("Text3"));
    };
    s.copyText = [](std::size_t, const Texts& t) { return "份数：" + t.at("Text4") + "。"; };
    return std::make_unique<WordWindow>(std::move(s));
}

}  // namespace kz
