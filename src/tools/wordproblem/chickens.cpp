#include "tools/wordproblem/wordproblems.h"
#include "tools/wordproblem/wordwindow.h"

namespace kz {

namespace {

// The assumption method: all chickens first, then every rabbit makes up two feet.
Working chickensWorking(double heads, double feet, double rabbits, double chickens) {
    return workingOf([&] {
        constexpr std::string_view kUnit = "（只）";
        const double allChickens = heads * 2;
        const double missing = feet - allChickens;
        const double back = shownValue(rabbits) * 4 + shownValue(chickens) * 2;
        Working w;
        w.line("假设全是鸡，共有脚：" + operand(heads) + "×2＝" + num(allChickens) + std::string(kUnit));
        w.line("比实际少：" + operand(feet) + "－" + operand(allChickens) + "＝" + num(missing) + std::string(kUnit));
        w.line("每只兔比每只鸡多：4－2＝2" + std::string(kUnit));
        w.line("兔：" + operand(missing) + "÷2＝" + num(rabbits) + std::string(kUnit));
        w.line("鸡：" + operand(heads) + "－" + operand(rabbits) + "＝" + num(chickens) + std::string(kUnit));
        w.line(lead::kCheck, operand(rabbits) + "×4＋" + operand(chickens) + "×2" + checkSign(back, feet) + num(feet) +
                                 std::string(kUnit));
        return w;
    });
}

}  // namespace

Outcome chickensCalculate(std::string_view headsText, std::string_view feetText) {
    Outcome out;
    Calculation calc(true);
    double heads = 0;
    int feet = 0;
    calc.step([&] { heads = leadingNumber(headsText); });
    calc.step([&] { feet = toInt16(leadingNumber(feetText)); });
    if (calc.failed()) {
        // Feet beyond the 16-bit range are a failure, not "too few feet":
        // say so once and leave the last answer standing.
        calc.reportTo(out);
        return out;
    }
    auto reject = [&](const char* reason) {
        out.show("Text3", std::string(kWrongInput));
        out.show("Text4", reason);
        out.failed = true;
        return out;
    };
    if (feet % 2 != 0) return reject("脚的个数必须为偶数！");
    if (feet < 2) return reject("脚的个数必须大于2！");
    if (heads > feet) return reject("比例有误！");
    if (heads == 0) return reject("头的个数不能等于0！");
    if (feet > 4 * heads) return reject("脚的个数输入过大！");
    if (feet / 2.0 < heads) return reject("脚的个数输入过小！");
    const double rabbits = feet / 2.0 - heads;
    const double chickens = heads - (feet / 2.0 - heads);
    out.show("Text3", numberToText(rabbits));
    out.show("Text4", numberToText(chickens));
    out.working = chickensWorking(heads, feet, rabbits, chickens);
    return out;
}

std::string chickensCopyText(std::string_view rabbits, std::string_view chickens) {
    return "兔的个数：" + std::string(rabbits) + "；鸡的个数：" + std::string(chickens) + "。";
}

std::unique_ptr<WindowModel> makeChickensWindow() {
    WordWindowDesign s;
    WindowDecl& d = s.decl;
    d.form = "Form7";
    addRow(d, 0, label("Label1", "头的个数"), input("Text1", 19, FilterMode::Integer_All));
    addRow(d, 1, label("Label2", "脚的个数"), input("Text2", 19, FilterMode::Integer_All));
    addRow(d, 2, label("Label3", "兔的个数"), output("Text3"));
    addRow(d, 3, label("Label4", "鸡的个数"), output("Text4"));
    d.controls.push_back(
        label("Label7",
              "原题：有若干只鸡兔同在一个笼子里，从上面数，有35个头；从下面数，有94只脚。求笼中各有几只鸡和兔？")
            .inRow(4));
    d.controls.push_back(line("Line1").inRow(5));
    for (auto& b : buttonRow(6)) d.controls.push_back(b);
    d.controls.push_back(check("Check1", "").hidden());
    d.controls.push_back(check("Check2", "").hidden());
    d.managesCopy = true;
    d.copyPrimary = "Text3";
    d.showsWorking = true;
    s.rejectionBox = "Text4";
    s.emptied = {{"Text1", ""}, {"Text2", ""}, {"Text3", ""}, {"Text4", ""}};
    s.calculate = [](std::size_t, const Texts& t) { return chickensCalculate(t.at("Text1"), t.at("Text2")); };
    s.copyText = [](std::size_t, const Texts& t) { return chickensCopyText(t.at("Text3"), t.at("Text4")); };
    return std::make_unique<WordWindow>(std::move(s));
}

}  // namespace kz
