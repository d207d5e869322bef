// What the word-problem windows share: an optional choice of case by option
// buttons (each case re-captions some labels and empties the boxes), a
// calculation over the window's texts, and a copy text built from them.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

// Reads boxes by their leading number; a text beyond the double range (which
// the filters never let through, but callers may pass) fails the calculation.
inline bool readLeading(Calculation& calc, std::initializer_list<std::pair<double*, std::string_view>> boxes) {
    for (const auto& box : boxes) calc.step([&] { *box.first = leadingNumber(box.second); });
    return !calc.failed();
}

struct WordCase {
    std::string option;  // "Option1"
    Texts captions;      // labels the case sets
};

struct WordWindowDesign {
    WindowDecl decl;
    std::vector<WordCase> cases;  // empty: the window has no choice of case
    Texts emptied;                // what Clear and a case change empty
    bool caseEnablesCopy = false;
    // Calculate for the chosen case (index into `cases`, 0 without cases).
    std::function<Outcome(std::size_t, const Texts&)> calculate;
    // The clipboard text, once the primary output holds something.
    std::function<std::string(std::size_t, const Texts&)> copyText;
};

class WordWindow : public WindowModel {
public:
    explicit WordWindow(WordWindowDesign design);

    std::size_t chosenCase() const { return chosen_; }

protected:
    void onLoad() override;
    void onSelect(std::string_view name) override;
    void onCalculate() override;
    std::string copyText() override;

private:
    WordWindowDesign design_;
    std::size_t chosen_ = 0;
};

// The label–box rows of a window without coordinates: label beside box, one row each.
void addRow(WindowDecl& d, int row, ControlDecl labelDecl, ControlDecl box);

}  // namespace kz
