#include "framework/casewindow.h"

namespace kz {

CaseWindow::CaseWindow(WindowDecl decl, CaseTable table, Texts clearTexts)
    : WindowModel(std::move(decl), {}, std::move(clearTexts)), table_(std::move(table)) {
    // A table naming a control the window lacks is a mistake in the window, found at once.
    for (const WindowCase& c : table_.cases) {
        (void)declOf(c.option);
        for (const auto& [name, text] : c.captions) (void)declOf(name);
    }
    for (const std::string& b : table_.switched) (void)declOf(b);
    for (const auto& [name, text] : table_.emptied) (void)declOf(name);
    if (!table_.chooseFirstAtLoad) chosen_ = 0;
}

void CaseWindow::onLoad() {
    if (table_.chooseFirstAtLoad && !table_.cases.empty()) select(table_.cases.front().option);
}

void CaseWindow::onSelect(std::string_view name) {
    for (std::size_t i = 0; i < table_.cases.size(); ++i) {
        if (table_.cases[i].option != name) continue;
        // A click on the case already chosen is no choice: what was typed stays.
        if (chosen_ == i) return;
        choose(i);
        return;
    }
}

void CaseWindow::choose(std::size_t index) {
    chosen_ = index;
    const WindowCase& c = table_.cases[index];
    for (const auto& [name, text] : c.captions) setText(name, text);
    if (table_.emptyBeforeEnabling) empty();
    for (std::size_t i = 0; i < table_.switched.size(); ++i) setEnabled(table_.switched[i], i < c.boxesEnabled);
    if (!table_.emptyBeforeEnabling) empty();
    if (table_.enablesCopy) setCopyEnabled(true);
    // The answer the working explained is gone with the emptied boxes.
    if (decl().showsWorking) setWorking({});
}

void CaseWindow::empty() {
    for (const auto& [name, text] : table_.emptied) setText(name, text);
}

}  // namespace kz
