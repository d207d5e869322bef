#include "tools/number/remainder.h"

#include <cstdint>
#include <string>
#include <utility>

#include "tools/number/workingtext.h"

namespace kz {

namespace {

// The division and its check, from the 32-bit values the division used.
Working remainderWorking(double dividendValue, std::int16_t divisorValue) {
    const std::int32_t q = intQuotient(dividendValue, divisorValue);
    const std::int32_t r = intRemainder(dividendValue, divisorValue);
    const std::string a = numberToText(toInt32(dividendValue)), b = numberToText(divisorValue);
    const std::string qt = numberToText(q), rt = numberToText(r);
    std::string division = a + std::string(sign::kDivide) + operand(b) + std::string(sign::kEquals) + qt;
    std::string check = operand(b) + std::string(sign::kTimes) + operand(qt);
    if (r != 0) {
        division += std::string(sign::kRemainder) + rt;
        check += std::string(sign::kPlus) + operand(rt);
    }
    return Working().line(std::move(division)).line(lead::kCheck, check + std::string(sign::kEquals) + a);
}

}  // namespace

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
    if (!out.failed) out.working = remainderWorking(dividend, divisor);
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
    // Placed so that the four boxes line up whatever their labels' widths.
    d.client = {0, 0, 4200, 2595};
    const std::pair<const char*, const char*> rows[] = {
        {"被除数:", "Text1"}, {"除数:", "Text2"}, {"商:", "Text3"}, {"余数:", "Text4"}};
    int top = 120;
    for (int i = 0; i < 4; ++i) {
        const auto [caption, box] = rows[i];
        d.controls.push_back(label("Label" + std::to_string(i + 1), caption).place(120, top + 60, 960, 300));
        d.controls.push_back(
            (i < 2 ? input(box, 10, FilterMode::Integer_All) : output(box)).place(1080, top, 3000, 360));
        top += 480;
    }
    const int left[] = {120, 1560, 3000};
    const auto buttons = buttonRow(4);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        d.controls.push_back(buttons[i].place(left[i], top + 60, 1080, 375));
    // The hidden switches of the two output boxes; always clear.
    d.controls.push_back(check("Check1", "").hidden());
    d.controls.push_back(check("Check2", "").hidden());
    d.managesCopy = true;
    d.copyPrimary = "Text3";
    d.showsWorking = true;
    return std::make_unique<RemainderWindow>(
        std::move(d), [](const Texts& t) { return remainderCalculate(t.at("Text1"), t.at("Text2")); },
        Texts{{"Text1", ""}, {"Text2", ""}, {"Text3", ""}, {"Text4", ""}});
}

}  // namespace kz
