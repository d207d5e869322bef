// The tab row of the owner-drawn tab strip as plain arithmetic: which cell a
// point is in, which tab is hot, and what a mouse click does.
#pragma once

namespace kz::drawing {

inline constexpr int kDefaultTabWidth = 100;
inline constexpr int kDefaultTabHeight = 25;
inline constexpr int kNoTab = -1;

// A written tab size below 3 is stored as 3.
constexpr int clampTabSize(int pixels) { return pixels < 3 ? 3 : pixels; }

// The cells stand in one row at the top: tab i spans x from i * tabWidth to
// (i + 1) * tabWidth and y from 0 to tabHeight (that row included).
struct TabRow {
    int tabWidth = kDefaultTabWidth;
    int tabHeight = kDefaultTabHeight;
    int count = 0;

    // The cell under (x, y), or kNoTab.
    int cellAt(int x, int y) const;
    // Whether (x, y) lies in the row's band, cell or not.
    bool inRow(int x, int y) const { return x >= 0 && y >= 0 && y <= tabHeight; }
};

// The tab under the mouse. Each call says whether the hot tab changed, which
// is exactly when the row has to be drawn again.
class HotTab {
public:
    int hot() const { return hot_; }
    bool move(const TabRow& row, int x, int y);
    bool leave() { return set(kNoTab); }
    void reset() { hot_ = kNoTab; }

private:
    bool set(int tab);
    int hot_ = kNoTab;
};

enum class MouseButton { Left, Right, Middle };

struct ClickAction {
    int select = kNoTab;  // tab to select, or kNoTab
    bool focus = false;   // give the control the keyboard focus
    bool operator==(const ClickAction&) const = default;
};

// A button pressed at (x, y): only the left button in the tab row acts; it
// selects the cell under it, if any, and focuses the control either way.
ClickAction clickAt(const TabRow& row, MouseButton button, int x, int y);

}  // namespace kz::drawing
