#include "tools/wordproblem/wordwindow.h"

namespace kz {

WordWindow::WordWindow(WordWindowSpec spec) : WindowModel(spec.decl, {}, spec.emptied), spec_(std::move(spec)) {}

void WordWindow::onLoad() {
    // The design already shows the first case; nothing to run.
    chosen_ = 0;
}

void WordWindow::onSelect(std::string_view name) {
    for (std::size_t i = 0; i < spec_.cases.size(); ++i) {
        if (spec_.cases[i].option != name) continue;
        // Clicking the case already chosen changes nothing: what was typed stays.
        if (i == chosen_) return;
        chosen_ = i;
        for (const auto& [labelName, caption] : spec_.cases[i].captions) setText(labelName, caption);
        for (const auto& [box, text] : spec_.emptied) setText(box, text);
        if (spec_.caseEnablesCopy) setCopyEnabled(true);
        return;
    }
}

void WordWindow::onCalculate() {
    if (spec_.calculate) apply(spec_.calculate(chosen_, texts()));
}

std::string WordWindow::copyText() {
    return spec_.copyText ? spec_.copyText(chosen_, texts()) : WindowModel::copyText();
}

void addRow(WindowDecl& d, int row, ControlDecl labelDecl, ControlDecl box) {
    d.controls.push_back(labelDecl.inRow(row));
    if (box.accessibleName.empty()) box.accessibleName = labelDecl.text;
    d.controls.push_back(box.inRow(row));
}

}  // namespace kz
