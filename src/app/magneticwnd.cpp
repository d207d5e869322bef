#include "app/magneticwnd.h"

#include <algorithm>
#include <cstdlib>

namespace kz {

bool gluedTogether(const DockRect& a, const DockRect& b) {
    const int unionWidth = std::max(a.right, b.right) - std::min(a.left, b.left);
    const int unionHeight = std::max(a.bottom, b.bottom) - std::min(a.top, b.top);
    if (a.width() + b.width() < unionWidth || a.height() + b.height() < unionHeight) return false;
    return b.left == a.left || b.left == a.right || b.right == a.left || b.right == a.right || a.top == b.top ||
           a.top == b.bottom || b.top == a.bottom || b.bottom == a.bottom;
}

cMagneticWnd::~cMagneticWnd() {
    for (const Record& r : windows_) platform_.unwatch(r.window);
}

int cMagneticWnd::indexOf(WindowHandle w) const {
    if (w == 0) return -1;
    for (std::size_t i = 0; i < windows_.size(); ++i)
        if (windows_[i].window == w) return static_cast<int>(i);
    return -1;
}

bool cMagneticWnd::isGlued(WindowHandle w) const {
    const int i = indexOf(w);
    return i >= 0 && windows_[static_cast<std::size_t>(i)].glued;
}

WindowHandle cMagneticWnd::parentOf(WindowHandle w) const {
    const int i = indexOf(w);
    return i >= 0 ? windows_[static_cast<std::size_t>(i)].parent : 0;
}

DockRect cMagneticWnd::lastRect(WindowHandle w) const {
    const int i = indexOf(w);
    return i >= 0 ? rects_[static_cast<std::size_t>(i) + 1] : DockRect{};
}

bool cMagneticWnd::AddWindow(WindowHandle window, WindowHandle parent) {
    if (indexOf(window) >= 0) return false;
    if (!platform_.isWindow(window)) return false;
    if (parent != 0 && !platform_.isWindow(parent)) return false;
    windows_.push_back({window, parent, false});
    rects_.push_back({});
    CheckGlueing();
    platform_.watch(window);
    return true;
}

bool cMagneticWnd::RemoveWindow(WindowHandle window) {
    const int i = indexOf(window);
    if (i < 0) return false;
    windows_.erase(windows_.begin() + i);
    rects_.erase(rects_.begin() + i + 1);
    for (Record& r : windows_)
        if (r.parent == window) r.parent = 0;
    if (moving_ == window) moving_ = 0;
    platform_.unwatch(window);
    CheckGlueing();
    return true;
}

void cMagneticWnd::CheckGlueing() {
    const std::size_t n = windows_.size();
    for (std::size_t i = 0; i < n; ++i) {
        rects_[i + 1] = platform_.windowRect(windows_[i].window);
        windows_[i].glued = false;
    }
    for (std::size_t j = 0; j < n; ++j) {
        const int p = indexOf(windows_[j].parent);
        // A parent that was never registered has no rectangle to glue to.
        if (p >= 0) windows_[j].glued = gluedTogether(rects_[static_cast<std::size_t>(p) + 1], rects_[j + 1]);
    }
    // Siblings touching a glued sibling are glued too, in chains of any length.
    for (std::size_t pass = 0; pass < n; ++pass)
        for (std::size_t l = 0; l < n; ++l) {
            if (!windows_[l].glued) continue;
            for (std::size_t m = 0; m < n; ++m)
                if (m != l && !windows_[m].glued && windows_[m].parent == windows_[l].parent)
                    windows_[m].glued = gluedTogether(rects_[l + 1], rects_[m + 1]);
        }
}

void cMagneticWnd::enterSizeMove(WindowHandle w) {
    if (indexOf(w) < 0) return;
    beginMoveFrom(w, platform_.windowRect(w));
}

void cMagneticWnd::beginMoveFrom(WindowHandle w, const DockRect& startRect) {
    const DockRect start = startRect;  // may be one of our own entries, refreshed below
    const int self = indexOf(w);
    if (self < 0) return;
    rects_[0] = platform_.workArea();
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        const WindowHandle h = windows_[i].window;
        rects_[i + 1] = platform_.isMaximized(h) ? rects_[0] : platform_.windowRect(h);
    }
    rects_[static_cast<std::size_t>(self) + 1] = platform_.isMaximized(w) ? rects_[0] : start;
    startCursor_ = platform_.cursor();
    startRect_ = start;
    grab_ = {start.left - startCursor_.x, start.top - startCursor_.y};
    moving_ = w;
}

void cMagneticWnd::exitSizeMove(WindowHandle w) {
    if (moving_ == w) moving_ = 0;
    CheckGlueing();
}

void cMagneticWnd::snapAgainst(const DockRect& p, const DockRect& r, int& dx, int& dy) const {
    const int s = snapWidth_;
    auto near = [s](int a, int b) { return std::abs(a - b) < s; };
    if (p.top < r.bottom + s && r.top - s < p.bottom) {
        if (near(p.left, r.left)) dx = r.left - p.left;
        else if (near(p.left, r.right)) dx = r.right - p.left;
        else if (near(p.right, r.left)) dx = r.left - p.right;
        else if (near(p.right, r.right)) dx = r.right - p.right;
    }
    if (p.left < r.right + s && r.left - s < p.right) {
        if (near(p.top, r.top)) dy = r.top - p.top;
        else if (near(p.top, r.bottom)) dy = r.bottom - p.top;
        else if (near(p.bottom, r.top)) dy = r.top - p.bottom;
        else if (near(p.bottom, r.bottom)) dy = r.bottom - p.bottom;
    }
}

DockPoint cMagneticWnd::snapOffset(std::size_t self, const DockRect& p) const {
    const WindowHandle w = windows_[self].window;
    const std::size_t n = windows_.size();
    int dx = 0, dy = 0;
    for (std::size_t r = 0; r <= n; ++r) {
        if (r > 0 && (r - 1 == self || gluedTo(r - 1, w))) continue;
        snapAgainst(p, rects_[r], dx, dy);
    }
    // The group also snaps where a glued child comes near an edge.
    const int shiftX = p.left - startRect_.left, shiftY = p.top - startRect_.top;
    for (std::size_t g = 0; g < n; ++g) {
        if (!gluedTo(g, w)) continue;
        const DockRect child = rects_[g + 1].shifted(shiftX, shiftY);
        for (std::size_t r = 0; r <= n; ++r) {
            if (r > 0 && (r - 1 == g || r - 1 == self || windows_[r - 1].glued)) continue;
            snapAgainst(child, rects_[r], dx, dy);
        }
    }
    return {dx, dy};
}

void cMagneticWnd::carryGlued(std::size_t self, const DockRect& placed) {
    const WindowHandle w = windows_[self].window;
    const int shiftX = placed.left - startRect_.left, shiftY = placed.top - startRect_.top;
    std::vector<DockMove> batch;
    for (std::size_t g = 0; g < windows_.size(); ++g)
        if (gluedTo(g, w)) {
            const DockRect& start = rects_[g + 1];
            batch.push_back({windows_[g].window, {start.left + shiftX, start.top + shiftY}});
        }
    if (!batch.empty()) platform_.moveWindows(batch);
}

void cMagneticWnd::moving(WindowHandle w, DockRect& proposed) {
    const int self = indexOf(w);
    if (self < 0) return;
    if (moving_ != w) enterSizeMove(w);
    // Follow the cursor exactly, whatever earlier steps snapped to, so the
    // window can be pulled away from an edge it stuck to.
    const DockPoint c = platform_.cursor();
    proposed = proposed.shifted(c.x + grab_.x - proposed.left, c.y + grab_.y - proposed.top);
    const DockPoint d = snapOffset(static_cast<std::size_t>(self), proposed);
    proposed = proposed.shifted(d.x, d.y);
    carryGlued(static_cast<std::size_t>(self), proposed);
}

void cMagneticWnd::follow(WindowHandle w, const DockRect& now) {
    const int self = indexOf(w);
    if (self < 0) return;
    if (moving_ != w) beginMoveFrom(w, rects_[static_cast<std::size_t>(self) + 1]);
    carryGlued(static_cast<std::size_t>(self), now);
}

DockRect cMagneticWnd::drop(WindowHandle w, const DockRect& now) {
    const int self = indexOf(w);
    if (self < 0) return now;
    if (moving_ != w) beginMoveFrom(w, rects_[static_cast<std::size_t>(self) + 1]);
    const DockPoint d = snapOffset(static_cast<std::size_t>(self), now);
    const DockRect placed = now.shifted(d.x, d.y);
    carryGlued(static_cast<std::size_t>(self), placed);
    return placed;
}

void cMagneticWnd::sizing(WindowHandle w, SizingEdge edge, DockRect& p) {
    const int self = indexOf(w);
    if (self < 0) return;
    if (moving_ != w) enterSizeMove(w);
    const bool left = edge == SizingEdge::Left || edge == SizingEdge::TopLeft || edge == SizingEdge::BottomLeft;
    const bool right = edge == SizingEdge::Right || edge == SizingEdge::TopRight || edge == SizingEdge::BottomRight;
    const bool top = edge == SizingEdge::Top || edge == SizingEdge::TopLeft || edge == SizingEdge::TopRight;
    const bool bottom = edge == SizingEdge::Bottom || edge == SizingEdge::BottomLeft || edge == SizingEdge::BottomRight;
    const int s = snapWidth_;
    auto near = [s](int a, int b) { return std::abs(a - b) < s; };
    // Distances from the edges as proposed, so each entry sees the same drag.
    const DockRect p0 = p;
    for (std::size_t r = 0; r < rects_.size(); ++r) {
        if (r == static_cast<std::size_t>(self) + 1) continue;
        const DockRect& q = rects_[r];
        if (p.top < q.bottom + s && q.top - s < p.bottom) {
            if (left) {
                if (near(p0.left, q.left)) p.left = q.left;
                else if (near(p0.left, q.right)) p.left = q.right;
            }
            if (right) {
                if (near(p0.right, q.left)) p.right = q.left;
                else if (near(p0.right, q.right)) p.right = q.right;
            }
        }
        if (p.left < q.right + s && q.left - s < p.right) {
            if (bottom) {
                if (near(p0.bottom, q.top)) p.bottom = q.top;
                else if (near(p0.bottom, q.bottom)) p.bottom = q.bottom;
            }
            if (top) {
                if (near(p0.top, q.top)) p.top = q.top;
                else if (near(p0.top, q.bottom)) p.top = q.bottom;
            }
        }
    }
}

}  // namespace kz
