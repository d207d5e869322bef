#include "tools/equation/linear.h"

namespace kz {

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
