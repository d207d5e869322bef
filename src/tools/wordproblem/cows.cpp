#include "tools/wordproblem/wordproblems.h"
#include "tools/wordproblem/wordwindow.h"

// cows × days − days × growth must round the same everywhere: no fused multiply-add.
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#endif

namespace kz {

namespace {

const char* const kSought[] = {"草坪原有草量", "牛吃草的天数", "吃草牛的数量"};

// The growth counted in cows' daily rations: that many cows eat only the new
// grass, the others eat the grass the meadow had. The check: the grass it had
// and the grass grown are what the cows ate.
Working cowsWorking(std::size_t which, double x, double y, double g, double v) {
    return workingOf([&] {
        Working w;
        double grass = x, cows = y, days = y;
        if (which == 0) {
            const double eaten = x * y, grown = y * g;
            w.line(num(x) + "头牛" + num(y) + "天吃草：" + operand(x) + "×" + operand(y) + "＝" + num(eaten));
            w.line(num(y) + "天新长的草：" + operand(y) + "×" + operand(g) + "＝" + num(grown));
            w.line("原有草量：" + operand(eaten) + "－" + operand(grown) + "＝" + num(v));
            grass = shownValue(v);
            cows = x;
        } else if (which == 1) {
            const double rest = y - g;
            w.line("吃原有草的牛：" + operand(y) + "－" + operand(g) + "＝" + num(rest));
            w.line("牛吃草的天数：" + operand(x) + "÷" + operand(rest) + "＝" + num(v));
            days = shownValue(v);
        } else {
            const double rest = x / y;
            w.line("吃原有草的牛：" + operand(x) + "÷" + operand(y) + "＝" + num(rest));
            w.line("吃草牛的数量：" + operand(rest) + "＋" + operand(g) + "＝" + num(v));
            cows = shownValue(v);
        }
        w.line(lead::kCheck, operand(grass) + "＋" + operand(days) + "×" + operand(g) +
                                 checkSign(grass + days * g, cows * days) + operand(cows) + "×" + operand(days));
        return w;
    });
}

}  // namespace

Outcome cowsCalculate(std::size_t which, std::string_view xText, std::string_view yText, std::string_view growthText) {
    Outcome out;
    Calculation calc(true);
    double x = 0, y = 0, g = 0, v = 0;
    std::string result;
    calc.step([&] {
        // Every box must hold a number as a whole: an empty box is a mistake, not 0.
        x = strictNumber(xText);
        y = strictNumber(yText);
        g = strictNumber(growthText);
        switch (which) {
            case 0: v = finiteOrFail(finiteOrFail(x * y) - finiteOrFail(y * g)); break;
            case 1: v = quotientOrFail(x, finiteOrFail(y - g)); break;
            default: v = finiteOrFail(quotientOrFail(x, y) + g); break;
        }
        result = numberToText(v);
    });
    if (!calc.failed()) {
        out.show("Text5", result);
        out.working = cowsWorking(which, x, y, g, v);
    }
    calc.reportTo(out);
    return out;
}

std::unique_ptr<WindowModel> makeCowsWindow() {
    WordWindowDesign s;
    WindowDecl& d = s.decl;
    d.form = "Form39";
    d.keyPreview = true;
    d.controls = {option("Option1", kSought[0], "C", true).inRow(0), option("Option2", kSought[1], "N").inRow(0),
                  option("Option4", kSought[2], "H").inRow(0), line("Line1").inRow(1)};
    addRow(d, 2, label("Label1", "吃草牛的数量"), input("Text1", 19, FilterMode::Numeric_Pos, "第一个已知量"));
    addRow(d, 3, label("Label2", "牛吃草的天数"), input("Text2", 19, FilterMode::Numeric_Pos, "第二个已知量"));
    addRow(d, 4, label("Label3", "草的生长速度"), input("Text3", 19, FilterMode::Numeric_Pos));
    addRow(d, 5, label("Label8", kSought[0]), output("Text5", "结果"));
    const char* const examples[] = {
        "例题：有一块长满草的草坪，每天新长出3千克草，由23头牛每天吃草，连续吃6天吃完。原来草坪有多少草？",
        "例题：有一块长满草的草坪，原有120千克草，每天新长出3千克草，由23头牛每天吃草。像这样连续吃多少天就可以把草吃完"
        "？",
        "例题：有一块长满草的草坪，原有120千克草，每天新长出3千克草，由一些牛每天吃草，连续吃6天吃完。有多少头牛在吃草"
        "？",
    };
    d.controls.push_back(label("Label5", examples[0]).inRow(6));
    d.controls.push_back(line("Line2").inRow(7));
    for (auto& b : buttonRow(8)) d.controls.push_back(b);
    d.managesCopy = true;
    d.copyPrimary = "Text5";
    d.showsWorking = true;
    s.cases = {
        {"Option1",
         {{"Label1", "吃草牛的数量"}, {"Label2", "牛吃草的天数"}, {"Label8", kSought[0]}, {"Label5", examples[0]}}},
        {"Option2",
         {{"Label1", "草坪原有草量"}, {"Label2", "吃草牛的数量"}, {"Label8", kSought[1]}, {"Label5", examples[1]}}},
        {"Option4",
         {{"Label1", "草坪原有草量"}, {"Label2", "牛吃草的天数"}, {"Label8", kSought[2]}, {"Label5", examples[2]}}},
    };
    s.emptied = {{"Text1", ""}, {"Text2", ""}, {"Text3", ""}, {"Text5", ""}};
    s.caseEnablesCopy = false;
    s.calculate = [](std::size_t c, const Texts& t) {
        return cowsCalculate(c, t.at("Text1"), t.at("Text2"), t.at("Text3"));
    };
    s.copyText = [](std::size_t c, const Texts& t) { return std::string(kSought[c]) + "：" + t.at("Text5"); };
    return std::make_unique<WordWindow>(std::move(s));
}

}  // namespace kz
