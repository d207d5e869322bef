#include "tools/fraction/arithmetic.h"

#include <cstdint>
#include <numeric>

#include "tools/fraction/fractionlayout.h"
#include "tools/fraction/fractionworking.h"

namespace kz {

namespace {

// Products of two 16-bit operands always fit 32 bits; only the sum of two
// such products can leave the range, and that is the overflow the window reports.
std::int32_t subtract32(std::int32_t x, std::int32_t y) { return add32(x, -static_cast<std::int64_t>(y)); }

}  // namespace

Outcome fractionArithmetic(std::string_view ta, std::string_view tb, std::string_view tc, std::string_view td,
                           FractionOp op) {
    Outcome out;
    Calculation calc(true);
    std::int32_t v[4] = {};
    const std::string_view texts[4] = {ta, tb, tc, td};
    static const char* const boxes[4] = {"Text1", "Text2", "Text3", "Text4"};
    for (int i = 0; i < 4; ++i)
        calc.step([&] {
            v[i] = toInt16(leadingNumber(texts[i]));
            out.show(boxes[i], numberToText(v[i]));
        });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    const std::int32_t a = v[0], b = v[1], c = v[2], d = v[3];
    auto reject = [&](std::string_view text) {
        out.error(std::string(text));
        out.failed = true;
        return out;
    };
    if (b == 0 || d == 0) return reject(kZeroDenominatorText);
    if (op == FractionOp::None) return reject(kChooseOperatorText);
    // Dividing by a fraction worth zero would put 0 under the bar.
    if (op == FractionOp::Divide && c == 0) return reject(kZeroDivisorText);

    std::int32_t num = 0, den = 0;
    calc.step([&] {
        switch (op) {
            case FractionOp::Add:
                den = mul32(d, b);
                num = add32(mul32(b, c), mul32(d, a));
                break;
            case FractionOp::Subtract:
                den = mul32(d, b);
                num = subtract32(mul32(d, a), mul32(b, c));
                break;
            case FractionOp::Multiply:
                den = mul32(d, b);
                num = mul32(a, c);
                break;
            case FractionOp::Divide:
                den = mul32(b, c);
                num = mul32(d, a);
                break;
            case FractionOp::None: break;
        }
    });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    // The sign stays where the operation put it: a negative denominator is shown as such.
    if (den >= 2) {
        const std::int64_t g = std::gcd(static_cast<std::int64_t>(num), static_cast<std::int64_t>(den));
        num = static_cast<std::int32_t>(num / g);
        den = static_cast<std::int32_t>(den / g);
    }
    out.show("Text6", numberToText(den));
    out.show("Text5", numberToText(num));
    out.working = arithmeticWorking(a, b, c, d, op, num, den);
    return out;
}

namespace {

class FractionArithmeticWindow : public WindowModel {
public:
    using WindowModel::WindowModel;

protected:
    void onCalculate() override {
        FractionOp op = FractionOp::None;
        if (state("Option1").checked) op = FractionOp::Add;
        else if (state("Option2").checked) op = FractionOp::Subtract;
        else if (state("Option3").checked) op = FractionOp::Multiply;
        else if (state("Option4").checked) op = FractionOp::Divide;
        const Outcome o = fractionArithmetic(text("Text1"), text("Text2"), text("Text3"), text("Text4"), op);
        apply(o);
        if (auto it = o.set.find("Text6"); it != o.set.end()) {
            const bool whole = it->second == "1";
            moveTo("Text5", {3960, whole ? 400 : 120, 1695, 360});
            setVisible("Text6", !whole);
            setVisible("Line3", !whole);
        }
    }

    std::string copyText() override {
        if (text("Text6") == "1") return std::string(text("Text5"));
        return std::string(text("Text5")) + "/" + std::string(text("Text6"));
    }
};

}  // namespace

std::unique_ptr<WindowModel> makeFractionArithmeticWindow() {
    WindowDecl d;
    d.form = "Form3";
    d.client = {0, 0, 5775, 1815};
    d.keyPreview = true;
    d.managesCopy = true;
    d.copyPrimary = "Text6";
    d.showsWorking = true;
    // Declared in tab order: the four operand boxes, the operators, the buttons.
    d.controls = {
        input("Text1", 6, FilterMode::Integer_All, "第一个分数的分子").place(120, 120, 975, 360),
        input("Text2", 6, FilterMode::Integer_All, "第一个分数的分母").place(120, 720, 975, 360),
        input("Text3", 6, FilterMode::Integer_All, "第二个分数的分子").place(2280, 120, 975, 360),
        input("Text4", 6, FilterMode::Integer_All, "第二个分数的分母").place(2280, 720, 975, 360),
        option("Option1", "＋", "KP+").asButton().place(1320, 240, 375, 375),
        option("Option2", "－", "KP-").asButton().place(1320, 600, 375, 375),
        option("Option3", "×", "KP*").asButton().place(1680, 240, 375, 375),
        option("Option4", "÷", "KP/").asButton().place(1680, 600, 375, 375),
        bar("Line1", 120, 600, 1080, 600),
        bar("Line2", 2280, 600, 3240, 600),
        label("Label1", "＝").strong().place(3480, 480, 255, 240),
        output("Text5", "结果的分子").place(3960, 120, 1695, 360),
        bar("Line3", 3960, 600, 5640, 600),
        output("Text6", "结果的分母").place(3960, 720, 1695, 360),
        button("Command1", "计算", ButtonRole::Calculate).place(600, 1320, 855, 375),
        button("Command2", "清空", ButtonRole::Clear).place(2520, 1320, 855, 375),
        button("Command3", "复制", ButtonRole::Copy).place(4320, 1320, 855, 375),
        // The result boxes' context-menu switches, never shown and always clear.
        check("Check1", "").hidden(),
        check("Check2", "").hidden(),
    };
    Texts clear;
    for (const char* n : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"}) clear[n] = "";
    return std::make_unique<FractionArithmeticWindow>(std::move(d), WindowModel::Compute{}, std::move(clear));
}

}  // namespace kz
