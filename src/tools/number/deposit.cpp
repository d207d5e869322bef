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
        calc.step([&] { interest = numberToText(leadingNumber(principal) * t.years * t.rate); });
        if (calc.failed()) calc.reportTo(out);  // the box keeps its text
        else out.show("Text2", interest);
        return out;
    }
    return out;
}

std::unique_ptr<WindowModel> makeDepositWindow() {
    std::vector<std::string> entries;
    for (const DepositTerm& t : depositTerms()) entries.emplace_back(t.entry);
    WindowDecl d;
    d.form = "Form18";
    d.controls = {label("Label1", "注意：计算依照2008年12月23日中国人民银行公布的存款利率。").inRow(0),
                  label("Label2", "本金:").inRow(1),
                  input("Text1", 20, FilterMode::Numeric_Pos, "本金").inRow(1),
                  label("Label3", "时间:").inRow(2),
                  combo("Combo1", std::move(entries)).inRow(2),
                  label("Label4", "利息:").inRow(3),
                  output("Text2", "利息").inRow(3)};
    for (auto& b : buttonRow(4)) d.controls.push_back(b);
    d.copyPrimary = "Text2";
    return std::make_unique<WindowModel>(
        std::move(d), [](const Texts& t) { return depositInterest(t.at("Text1"), t.at("Combo1")); },
        Texts{{"Text1", ""}, {"Text2", ""}});
}

}  // namespace kz
