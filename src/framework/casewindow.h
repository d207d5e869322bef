// A window whose option buttons pick a case: the formula windows pick a
// figure, some word-problem windows the quantity sought. Choosing a case
// re-captions labels, enables the boxes the case uses and empties the boxes,
// all from one table, so each window only declares its cases.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/windowmodel.h"

namespace kz {

struct WindowCase {
    std::string option;  // the option button that picks it: "Option1"
    // Texts the case writes, in order (formula box, note, labels).
    std::vector<std::pair<std::string, std::string>> captions;
    // Of the table's switched boxes, how many from the top the case enables;
    // the others are disabled.
    std::size_t boxesEnabled = 0;
};

struct CaseTable {
    std::vector<WindowCase> cases;      // empty: the window has no choice of case
    std::vector<std::string> switched;  // boxes the case enables or disables, top to bottom
    Texts emptied;                      // what a change of case empties
    bool emptyBeforeEnabling = false;   // some windows empty the boxes first, then grey them
    bool enablesCopy = false;           // a change of case enables Copy
    // The load step selects the first case, so its captions come from the
    // table; otherwise the design already shows the first case.
    bool chooseFirstAtLoad = false;
};

class CaseWindow : public WindowModel {
public:
    CaseWindow(WindowDecl decl, CaseTable table, Texts clearTexts);

    // The chosen case (0 in a window without cases).
    std::size_t chosenCase() const { return chosen_.value_or(0); }
    const CaseTable& caseTable() const { return table_; }

protected:
    void onLoad() override;
    void onSelect(std::string_view name) override;

private:
    void choose(std::size_t index);
    void empty();

    CaseTable table_;
    std::optional<std::size_t> chosen_;
};

}  // namespace kz
