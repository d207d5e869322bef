#include "drawing/tabstrip.h"

namespace kz::drawing {

int TabRow::cellAt(int x, int y) const {
    if (!inRow(x, y) || tabWidth <= 0) return kNoTab;
    const int k = x / tabWidth;
    return k < count ? k : kNoTab;
}

bool HotTab::set(int tab) {
    if (tab == hot_) return false;
    hot_ = tab;
    return true;
}

bool HotTab::move(const TabRow& row, int x, int y) { return set(row.cellAt(x, y)); }

ClickAction clickAt(const TabRow& row, MouseButton button, int x, int y) {
    if (button != MouseButton::Left || !row.inRow(x, y)) return {};
    return {row.cellAt(x, y), true};
}

}  // namespace kz::drawing
