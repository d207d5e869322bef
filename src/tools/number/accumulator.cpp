#include "tools/number/accumulator.h"

#include "tools/number/workingtext.h"

namespace kz {

Outcome accumulatorCalculate(std::string_view firstText, std::string_view lastText, std::string_view countText) {
    Outcome out;
    Calculation calc(true);
    double a = 0, b = 0, n = 0;
    std::string sum;
    calc.step([&] { a = leadingNumber(firstText); });
    calc.step([&] { b = leadingNumber(lastText); });
    calc.step([&] { n = leadingNumber(countText); });
    calc.step([&] { sum = numberToText((a + b) * n / 2); });
    // The failure is reported in the sum box itself, and the calculation ends.
    out.show("Text4", calc.failed() ? std::string(kFailureText) : sum);
    if (!calc.failed()) {
        // The window's own order: the sum, the product, the halving.
        const std::string plus = numberToText(a + b), times = numberToText((a + b) * n);
        out.working.steps({"(首项＋末项)×项数÷2",
                           "(" + numberToText(a) + std::string(sign::kPlus) + operand(numberToText(b)) + ")×" +
                               operand(numberToText(n)) + "÷2",
                           operand(plus) + "×" + operand(numberToText(n)) + "÷2", operand(times) + "÷2", sum});
    }
    return out;
}

std::unique_ptr<WindowModel> makeAccumulatorWindow() {
    WindowDecl d;
    d.form = "Form6";
    d.controls = {output("Text4", "和").inRow(0),
                  label("Label2", "首项").inRow(1),
                  input("Text1", 15, FilterMode::Integer_All).inRow(1),
                  label("Label3", "末项").inRow(2),
                  input("Text2", 15, FilterMode::Integer_All).inRow(2),
                  label("Label4", "项数").inRow(3),
                  input("Text3", 15, FilterMode::Integer_All).inRow(3)};
    for (auto& b : buttonRow(4, "确定")) d.controls.push_back(b);
    d.copyPrimary = "Text4";
    d.showsWorking = true;
    return std::make_unique<WindowModel>(
        std::move(d), [](const Texts& t) { return accumulatorCalculate(t.at("Text1"), t.at("Text2"), t.at("Text3")); },
        Texts{{"Text1", ""}, {"Text2", ""}, {"Text3", ""}, {"Text4", ""}});
}

}  // namespace kz
