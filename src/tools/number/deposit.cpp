#include "tools/number/deposit.h"

#include <string>
#include <vector>

namespace kz {

std::span<const DepositTerm> depositTerms() {
    static constexpr DepositTerm terms[] = {
        {"三个月", 0.25, 0.0171}, {"六个月", 0.5, 0.0198}, {"一年", 1, 0.0225},
        {"二年", 2, 0.0279},      {"三年", 3, 0.0333},     {"五年", 5, 0.036},
    };
    return terms;
}

Outcome depositInterest(std::string_view principal, std::string_view termEntry) {
    Outcome out;
    for (const DepositTerm& t : depositTerms()) {
        if (t.entry != termEntry) continue;
        Calculation calc(true);
        std::string interest;
        double amount = 0;
        calc.step([&] { interest = numberToText((amount = leadingNumber(principal)) * t.years * t.rate); });
        if (calc.failed()) {
            calc.reportTo(out);  // the box keeps its text
            return out;
        }
        out.show("Text2", interest);
        out.working.steps({"利息＝本金×年利率×存期",
                           numberToText(amount) + "×" + numberToText(t.rate * 100) + "%×" + numberToText(t.years),
                           interest});
        return out;
    }
    return out;
}

std::unique_ptr<WindowModel> makeDepositWindow() {
    std::vector<std::string> entries;
    for (const DepositTerm& t : depositTerms()) entries.emplace_back(t.entry);
    WindowDecl d;
    d.form = "Form18";
    // Placed so that the boxes and the list line up; the note takes two lines.
    d.client = {0, 0, 4320, 2775};
    d.controls = {
        label("Label1", "注意：计算依照2008年12月23日中国人民银行公布的存款利率。").place(120, 120, 4080, 540),
        label("Label2", "本金:").place(120, 840, 720, 300),
        input("Text1", 20, FilterMode::Numeric_Pos, "本金").place(840, 780, 3360, 360),
        label("Label3", "时间:").place(120, 1320, 720, 300),
        combo("Combo1", std::move(entries)).place(840, 1260, 3360, 360),
        label("Label4", "利息:").place(120, 1800, 720, 300),
        output("Text2", "利息").place(840, 1740, 3360, 360)};
    const int left[] = {120, 1620, 3120};
    const auto buttons = buttonRow(4);
    for (std::size_t i = 0; i < buttons.size(); ++i) d.controls.push_back(buttons[i].place(left[i], 2280, 1080, 375));
    d.copyPrimary = "Text2";
    d.showsWorking = true;
    return std::make_unique<WindowModel>(
        std::move(d), [](const Texts& t) { return depositInterest(t.at("Text1"), t.at("Combo1")); },
        Texts{{"Text1", ""}, {"Text2", ""}});
}

}  // namespace kz
