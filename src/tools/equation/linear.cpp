#include "tools/equation/linear.h"

#include "tools/fraction/exacttext.h"

namespace kz {

namespace {

constexpr std::string_view kLeftSide = "左边";
constexpr std::string_view kRightSide = "右边";
constexpr std::string_view kIsTheSolution = "是方程的解。";
constexpr std::string_view kApproximately = "≈";

std::string str(std::string_view s) { return std::string(s); }

// kx as the exercise book writes it: x, －x, 2x, 0.5x.
std::string termText(const Rational& k, std::string_view unknown) {
    if (k == 1) return str(unknown);
    if (k == -1) return str(sign::kMinus) + str(unknown);
    return valueText(k) + str(unknown);
}

// ＋3 or －3 after a term; nothing for 0.
std::string addendText(const Rational& b) {
    if (b == 0) return {};
    return str(b < 0 ? sign::kMinus : sign::kPlus) + valueText(abs(b));
}

}  // namespace

Working linearWorking(std::string_view kText, std::string_view bText, std::string_view cText, std::string_view shown) {
    Working w;
    const auto k = exactNumber(kText), b = exactNumber(bText), c = exactNumber(cText);
    if (!k || !b || !c || *k == 0) return w;
    const std::string kx = termText(*k, "x");
    const Rational rest = *c - *b, x = rest / *k;
    const std::string xt = valueText(x);
    w.line(lead::kSolution, kx + addendText(*b) + str(sign::kEquals) + valueText(*c));
    if (*b != 0) {
        // Moving b to the right changes its sign.
        w.line(kx + str(sign::kEquals) + valueText(*c) + (*b < 0 ? str(sign::kPlus) : str(sign::kMinus)) +
               valueText(abs(*b)));
        w.line(kx + str(sign::kEquals) + valueText(rest));
    }
    if (*k != 1) {
        w.line("x" + str(sign::kEquals) + valueText(rest) + str(sign::kDivide) + operandText(*k));
        w.line("x" + str(sign::kEquals) + xt);
    }
    // The window writes 15 significant digits: where that is not the exact value, it follows "≈".
    if (exactNumber(shown) != x) w.line(str(kApproximately) + shownText(shown));
    // x opens the left side, so a negative x needs no parentheses when k is 1.
    const std::string left = (*k == 1 ? xt : valueText(*k) + str(sign::kTimes) + operandText(x)) + addendText(*b);
    const std::string value = valueText(*k * x + *b);
    w.line(lead::kVerify, str(kLeftSide) + str(sign::kEquals) + left +
                              (left == value ? std::string() : str(sign::kEquals) + value) + str(sign::kEquals) +
                              str(kRightSide) + "，所以x" + str(sign::kEquals) + xt + str(kIsTheSolution));
    return w;
}

Outcome solveLinearEquation(std::string_view k, std::string_view b, std::string_view c) {
    Outcome out;
    Calculation calc(true);
    std::string x;
    calc.step([&] {
        const double bv = strictNumber(b), cv = strictNumber(c), kv = strictNumber(k);
        // k = 0 has no single answer (none, or every x); it stays a failure.
        if (kv == 0) fail(FailureKind::DivisionByZero);
        x = numberToText((cv - bv) / kv);
    });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    out.show("Text19", x);
    out.working = linearWorking(k, b, c, x);
    return out;
}

namespace {

class LinearEquationWindow : public WindowModel {
public:
    using WindowModel::WindowModel;

protected:
    std::string copyText() override { return "x=" + std::string(text("Text19")); }
};

}  // namespace

std::unique_ptr<WindowModel> makeLinearEquationWindow() {
    WindowDecl d;
    d.form = "Form31";
    d.client = {0, 0, 6135, 1095};
    d.managesCopy = true;
    d.copyPrimary = "Text19";
    d.showsWorking = true;
    d.controls = {
        input("txtk", 10, FilterMode::Numeric_Pos, "x 的系数").place(120, 120, 1455, 360),
        label("Label9", "x＋").place(1680, 240, 345, 210),
        input("txtb", 10, FilterMode::Numeric_Pos, "左边的常数").place(2040, 120, 1455, 360),
        label("Label10", "=").place(3600, 240, 225, 210),
        input("Text23", 16, FilterMode::Numeric_Pos, "右边的常数").place(3840, 120, 2175, 360),
        label("Label11", "x=").place(120, 720, 240, 210),
        output("Text19", "x 的值").place(360, 600, 2775, 360),
        button("Command1", "计算", ButtonRole::Calculate).place(3360, 600, 855, 375),
        button("Command2", "清空", ButtonRole::Clear).place(4260, 600, 855, 375),
        button("Command3", "复制", ButtonRole::Copy).place(5160, 600, 855, 375),
    };
    return std::make_unique<LinearEquationWindow>(
        std::move(d), [](const Texts& t) { return solveLinearEquation(t.at("txtk"), t.at("txtb"), t.at("Text23")); },
        Texts{{"txtb", ""}, {"txtk", ""}, {"Text19", ""}, {"Text23", ""}});
}

}  // namespace kz
