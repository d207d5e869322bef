#include "tools/number/dates.h"

namespace kz {

std::optional<std::chrono::sys_days> readDate(std::string_view text) {
    using namespace std::chrono;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto digits = [&](std::size_t from, std::size_t count) -> std::optional<int> {
        int v = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            v = v * 10 + (text[i] - '0');
        }
        return v;
    };
    const auto y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
    if (!y || !m || !d || *y < 1) return std::nullopt;
    const year_month_day date{year{*y}, month{static_cast<unsigned>(*m)}, day{static_cast<unsigned>(*d)}};
    if (!date.ok()) return std::nullopt;
    return sys_days{date};
}

Outcome dateDifference(std::string_view text1, std::string_view text2) {
    Outcome out;
    const auto a = readDate(text1), b = readDate(text2);
    if (!a || !b) {
        // No result stands under the result heading when a date is unreadable.
        out.show("Label2", std::string(kDateHeading));
        out.show("Label1", std::string(kDateHint));
        out.show("Label3", std::string(kDateExample));
        out.error(std::string(kDateFormatError));
        out.failed = true;
        return out;
    }
    out.show("Label1", numberToText(static_cast<std::int64_t>((*b - *a).count())) + "天");
    out.show("Label2", std::string(kDateResultHeading));
    out.show("Label3", "");
    return out;
}

bool isLeapYear(std::int32_t y) { return y % 400 == 0 || (y % 4 == 0 && y % 100 != 0); }

Outcome leapYear(std::string_view text1) {
    Outcome out;
    Calculation calc(true);
    std::int32_t y = 0;
    calc.step([&] { y = toInt32(leadingNumber(text1)); });
    if (calc.failed()) {
        // Not a verdict on year 0, which the failed reading would leave.
        calc.reportTo(out, kYearFailure);
        return out;
    }
    out.show("Label1", std::string(isLeapYear(y) ? kLeapYear : kCommonYear));
    return out;
}

namespace {

// Copy of a window whose result is a label: silent, and only once the label
// no longer shows its initial text.
class LabelResultWindow : public WindowModel {
public:
    LabelResultWindow(WindowDecl d, Compute c, Texts clear, std::string result, std::string initial)
        : WindowModel(std::move(d), std::move(c), std::move(clear)), result_(std::move(result)),
          initial_(std::move(initial)) {}

protected:
    void onCopy() override {
        const std::string_view shown = text(result_);
        if (shown != initial_) clipboard(std::string(shown));
    }

private:
    std::string result_, initial_;
};

}  // namespace

std::unique_ptr<WindowModel> makeDateDiffWindow() {
    WindowDecl d;
    d.form = "Form41";
    d.controls = {input("Text1", 10, FilterMode::MaskedDate, "第一个日期").inRow(0),
                  input("Text2", 10, FilterMode::MaskedDate, "第二个日期").inRow(1),
                  label("Label2", std::string(kDateHeading)).aligned(ControlDecl::Align::Centre).inRow(2),
                  label("Label1", std::string(kDateHint)).aligned(ControlDecl::Align::Centre).inRow(3),
                  label("Label3", std::string(kDateExample)).aligned(ControlDecl::Align::Centre).inRow(4)};
    for (auto& b : buttonRow(5)) d.controls.push_back(b);
    return std::make_unique<LabelResultWindow>(
        std::move(d), [](const Texts& t) { return dateDifference(t.at("Text1"), t.at("Text2")); },
        Texts{{"Text1", ""},
              {"Text2", ""},
              {"Label2", std::string(kDateHeading)},
              {"Label1", std::string(kDateHint)},
              {"Label3", std::string(kDateExample)}},
        "Label1", std::string(kDateHint));
}

std::unique_ptr<WindowModel> makeLeapYearWindow() {
    WindowDecl d;
    d.form = "Form42";
    d.controls = {input("Text1", 4, FilterMode::Integer_All, "年份").inRow(0),
                  label("Label1", std::string(kYearPrompt)).inRow(1)};
    for (auto& b : buttonRow(2)) d.controls.push_back(b);
    return std::make_unique<LabelResultWindow>(
        std::move(d), [](const Texts& t) { return leapYear(t.at("Text1")); },
        Texts{{"Text1", ""}, {"Label1", std::string(kYearPrompt)}}, "Label1", std::string(kYearPrompt));
}

}  // namespace kz
