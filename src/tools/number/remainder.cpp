#include "tools/number/remainder.h"

#include <cstdint>

namespace kz {

Outcome remainderCalculate(std::string_view dividendText, std::string_view divisorText) {
    Outcome out;
    Calculation calc;
    // A failing step has no effect on the values but marks both outputs.
    auto step = [&](auto&& f) {
        const std::size_t before = calc.failures().size();
        calc.step(f);
        if (calc.failures().size() != before) {
            out.show("Text3", std::string(kFailureText));
            out.show("Text4", std::string(kFailureText));
            out.failed = true;
        }
    };
    double dividend = 0;
    std::int16_t divisor = 0;
    step([&] { dividend = leadingNumber(dividendText); });
    step([&] { divisor = toInt16(leadingNumber(divisorText)); });
    step([&] { out.show("Text3", numberToText(intQuotient(dividend, divisor))); });
    step([&] { out.show("Text4", numberToText(intRemainder(dividend, divisor))); });
    return out;
}

std::string remainderCopyText(std::string_view t1, std::string_view t2, std::string_view t3, std::string_view t4) {
    std::string s;
    s.reserve(t1.size() + t2.size() + t3.size() + t4.size() + 12);
    s.append(t1).append("÷").append(t2).append("＝").append(t3).append("……").append(t4);
    return s;
}

namespace {

class RemainderWindow : public WindowModel {
public:
    using WindowModel::WindowModel;

protected:
    std::string copyText() override {
        return remainderCopyText(text("Text1"), text("Text2"), text("Text3"), text("Text4"));
    }
};

}  // namespace

std::unique_ptr<WindowModel> makeRemainderWindow() {
    WindowDecl d;
    d.form = "Form11";
    d.controls = {label("Label1", "被除数:").inRow(0), input("Text1", 10, FilterMode::Integer_All).inRow(0),
                  label("Label2", "除数:").inRow(1),   input("Text2", 10, FilterMode::Integer_All).inRow(1),
                  label("Label3", "商:").inRow(2),     output("Text3").inRow(2),
                  label("Label4", "余数:").inRow(3),   output("Text4").inRow(3)};
    for (auto& b : buttonRow(4)) d.controls.push_back(b);
    d.managesCopy = true;
    d.copyPrimary = "Text3";
    return std::make_unique<RemainderWindow>(
        std::move(d), [](const Texts& t) { return remainderCalculate(t.at("Text1"), t.at("Text2")); },
        Texts{{"Text1", ""}, {"Text2", ""}, {"Text3", ""}, {"Text4", ""}});
}

}  // namespace kz
