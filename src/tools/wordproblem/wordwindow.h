// What the word-problem windows share: an optional choice of case by option
// buttons (a case window: each case re-captions some labels and empties the
// boxes), a calculation over the window's texts, and a copy text built from them.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/casewindow.h"
#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

// Reads boxes by their leading number; a text beyond the double range (which
// the filters never let through, but callers may pass) fails the calculation.
inline bool readLeading(Calculation& calc, std::initializer_list<std::pair<double*, std::string_view>> boxes) {
    for (const auto& box : boxes) calc.step([&] { *box.first = leadingNumber(box.second); });
    return !calc.failed();
}

// The working's numbers: as the window writes them, a negative operand in
// parentheses ("265÷(-5)").
inline std::string num(double v) { return numberToText(v); }
inline std::string operand(double v) { return v < 0 ? "(" + numberToText(v) + ")" : numberToText(v); }
// The value a pupil reads off a shown answer, which is what a check puts back.
inline double shownValue(double v) { return toNumberText(v).value; }
// A check joins its two sides with "＝" where the shown answers give the fact
// back to the last written digit, and with "≈" where their rounding shows.
inline std::string checkSign(double left, double right) {
    return numberToText(left) == numberToText(right) ? "＝" : "≈";
}

// Builds a working; a number it cannot write (only from texts the boxes never
// admit) leaves the answer without one rather than failing the calculation.
template <typename Build>
Working workingOf(Build build) {
    try {
        return build();
    } catch (const NumFailure&) {
        return {};
    }
}

struct WordWindowDesign {
    WindowDecl decl;
    std::vector<WindowCase> cases;  // empty: the window has no choice of case
    Texts emptied;                  // what Clear and a case change empty
    bool caseEnablesCopy = false;
    std::string rejectionBox;  // where a rejected input's reason goes, if the window rejects any
    // Calculate for the chosen case (index into `cases`, 0 without cases).
    std::function<Outcome(std::size_t, const Texts&)> calculate;
    // The clipboard text, once the primary output holds something.
    std::function<std::string(std::size_t, const Texts&)> copyText;
};

class WordWindow : public CaseWindow {
public:
    explicit WordWindow(WordWindowDesign design);

protected:
    void onCalculate() override;
    std::string copyText() override;

private:
    WordWindowDesign design_;
};

// The label–box rows of a window without coordinates: label beside box, one row each.
void addRow(WindowDecl& d, int row, const ControlDecl& labelDecl, ControlDecl box);

}  // namespace kz
