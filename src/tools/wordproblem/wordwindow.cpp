#include "tools/wordproblem/wordwindow.h"

#include <algorithm>
#include <map>

#include "framework/utf8.h"

namespace kz {

namespace {

constexpr int kWidth = 6300;  // twips: a small window, whatever the example's length
constexpr int kMargin = 180;
constexpr int kGap = 120;
constexpr int kBoxHeight = 360;
constexpr int kLineHeight = 285;  // one line of 10.5-point text

// Width of a text in twips, a little generous: full-width characters are
// 10.5 points wide, ASCII half that.
int textWidth(std::string_view text) {
    int w = 0;
    for (char32_t c : utf8ToU32(text)) w += c < 0x80 ? 105 : 210;
    return w + w / 10;
}

// Places the rows one under another, so a long example wraps inside the
// window instead of widening it (and the window keeps its size when the case,
// and with it the example, changes).
void placeRows(WordWindowDesign& s) {
    WindowDecl& d = s.decl;
    std::map<std::string, int> widest;  // a label's widest caption over all cases
    for (const ControlDecl& c : d.controls) widest[c.name] = textWidth(c.text);
    for (const WindowCase& wc : s.cases)
        for (const auto& [name, caption] : wc.captions) widest[name] = std::max(widest[name], textWidth(caption));
    std::map<int, std::vector<ControlDecl*>> rows;
    for (ControlDecl& c : d.controls)
        if (c.row >= 0) rows[c.row].push_back(&c);
    const int inner = kWidth - 2 * kMargin;
    int labelWidth = 0;  // the boxes line up after the widest caption
    for (auto& [row, controls] : rows)
        if (controls.size() == 2 && controls[0]->kind == ControlKind::Label)
            labelWidth = std::max(labelWidth, widest[controls[0]->name] + kGap);
    int top = kMargin;
    for (auto& [row, controls] : rows) {
        const ControlDecl& first = *controls.front();
        int height = kBoxHeight;
        if (first.kind == ControlKind::Line) {
            height = 15;
            *controls.front() = first.place(kMargin, top, inner, height);
        } else if (first.kind == ControlKind::Label && controls.size() == 1) {
            const int lines = std::max(1, (widest[first.name] + inner - 1) / inner);
            height = lines * kLineHeight;
            *controls.front() = first.place(kMargin, top, inner, height);
        } else if (first.kind == ControlKind::Label) {
            *controls[0] = controls[0]->place(kMargin, top, labelWidth, height);
            *controls[1] = controls[1]->place(kMargin + labelWidth, top, inner - labelWidth, height);
        } else {
            // Option buttons or the command buttons: side by side, equal widths.
            if (first.kind == ControlKind::Button) height = 375;
            const int n = static_cast<int>(controls.size());
            const int w = (inner - (n - 1) * kGap) / n;
            for (int i = 0; i < n; ++i) *controls[i] = controls[i]->place(kMargin + i * (w + kGap), top, w, height);
        }
        top += height + kGap;
    }
    d.client = {0, 0, kWidth, top - kGap + kMargin};
}

WindowDecl placed(WordWindowDesign& s) {
    placeRows(s);
    return s.decl;
}

CaseTable casesOf(const WordWindowDesign& s) {
    CaseTable t;
    t.cases = s.cases;
    t.emptied = s.emptied;
    t.enablesCopy = s.caseEnablesCopy;
    return t;
}

}  // namespace

WordWindow::WordWindow(WordWindowDesign design)
    : CaseWindow(placed(design), casesOf(design), design.emptied), design_(std::move(design)) {}

void WordWindow::onCalculate() {
    if (!design_.calculate) return;
    const Outcome o = design_.calculate(chosenCase(), texts());
    apply(o);
    // A rejection is told in a box, not in a message box: its reason is what
    // the working pane shows instead of a working.
    if (o.failed && o.messages.empty() && o.working.empty() && !design_.rejectionBox.empty())
        if (auto it = o.set.find(design_.rejectionBox); it != o.set.end()) setWorking({}, it->second);
}

std::string WordWindow::copyText() {
    return design_.copyText ? design_.copyText(chosenCase(), texts()) : WindowModel::copyText();
}

void addRow(WindowDecl& d, int row, const ControlDecl& labelDecl, ControlDecl box) {
    d.controls.push_back(labelDecl.inRow(row));
    if (box.accessibleName.empty()) box.accessibleName = labelDecl.text;
    d.controls.push_back(box.inRow(row));
}

}  // namespace kz
