// Magnetic docking of top-level windows, as plain geometry: edges snap to the
// work area and to the other registered windows, and a child that touches its
// parent is glued to it and travels along. The platform (a Qt adapter, or a
// test) says where windows are and carries out the moves.
#pragma once

#include <cstdint>
#include <vector>

namespace kz {

// A window handle; 0 is "no window".
using WindowHandle = std::uintptr_t;

struct DockPoint {
    int x = 0, y = 0;
    bool operator==(const DockPoint&) const = default;
};

// Screen pixels; right and bottom are exclusive, as in a window rectangle.
struct DockRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    DockRect shifted(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const DockRect&) const = default;
};

// The edge (or corner) the user drags while resizing, in the order of the
// desktop's own sizing codes.
enum class SizingEdge { Left, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };

struct DockMove {
    WindowHandle window = 0;
    DockPoint topLeft;  // new position; the size stays
    bool operator==(const DockMove&) const = default;
};

class DockPlatform {
public:
    virtual ~DockPlatform() = default;
    virtual bool isWindow(WindowHandle w) const = 0;
    virtual DockRect windowRect(WindowHandle w) const = 0;
    virtual bool isMaximized(WindowHandle w) const = 0;
    virtual DockRect workArea() const = 0;
    virtual DockPoint cursor() const = 0;
    // Moves without resizing, activating or changing the stacking order, all at once.
    virtual void moveWindows(const std::vector<DockMove>& moves) = 0;
    // Start or stop delivering the window's move and size messages.
    virtual void watch(WindowHandle) {}
    virtual void unwatch(WindowHandle) {}
};

// Both rectangles overlap or touch, and at least one edge of one lies on an
// edge of the other.
bool gluedTogether(const DockRect& a, const DockRect& b);

class cMagneticWnd {
public:
    explicit cMagneticWnd(DockPlatform& platform) : platform_(platform) {}
    ~cMagneticWnd();
    cMagneticWnd(const cMagneticWnd&) = delete;
    cMagneticWnd& operator=(const cMagneticWnd&) = delete;

    // Registers `window`, a child of `parent` (0: top-level). False, and no
    // change, if it is already registered or either handle is not a window.
    bool AddWindow(WindowHandle window, WindowHandle parent = 0);
    // Its children become top-level. False if it was not registered.
    bool RemoveWindow(WindowHandle window);
    void CheckGlueing();

    int SnapWidth() const { return snapWidth_; }
    void SnapWidth(int pixels) { snapWidth_ = pixels; }

    // --- The watched moments of a registered window ---
    // The move or resize begins.
    void enterSizeMove(WindowHandle w);
    // The same, when the window has already left `start` (the platform told
    // of the move only after it happened).
    void beginMoveFrom(WindowHandle w, const DockRect& start);
    // The window is being moved; `proposed` becomes the rectangle to use.
    void moving(WindowHandle w, DockRect& proposed);
    // The window is being resized at `edge`; `proposed` becomes the rectangle to use.
    void sizing(WindowHandle w, SizingEdge edge, DockRect& proposed);
    // The move or resize ends (also restore, minimize and commands).
    void exitSizeMove(WindowHandle w);

    // For platforms where the window manager places the window itself: the
    // window is already at `now`; carry its glued children along, no snapping.
    void follow(WindowHandle w, const DockRect& now);
    // The snapped place of a window dropped at `now` (its glued children are
    // moved along); the caller moves the window there.
    DockRect drop(WindowHandle w, const DockRect& now);

    // --- Read-only view for the host and tests ---
    bool isRegistered(WindowHandle w) const { return indexOf(w) >= 0; }
    bool isGlued(WindowHandle w) const;
    WindowHandle parentOf(WindowHandle w) const;
    std::size_t windowCount() const { return windows_.size(); }
    bool moveInProgress(WindowHandle w) const { return moving_ == w && w != 0; }
    // The window's rectangle as last taken (at registration, a glue check or a move's start).
    DockRect lastRect(WindowHandle w) const;

private:
    struct Record {
        WindowHandle window = 0;
        WindowHandle parent = 0;
        bool glued = false;
    };

    int indexOf(WindowHandle w) const;
    bool gluedTo(std::size_t i, WindowHandle w) const { return windows_[i].glued && windows_[i].parent == w; }
    // Entry r of the rectangles: 0 the work area, i + 1 window i.
    void snapAgainst(const DockRect& moved, const DockRect& r, int& dx, int& dy) const;
    DockPoint snapOffset(std::size_t self, const DockRect& proposed) const;
    void carryGlued(std::size_t self, const DockRect& placed);

    DockPlatform& platform_;
    int snapWidth_ = 10;
    std::vector<Record> windows_;
    std::vector<DockRect> rects_{DockRect{}};  // n + 1 entries
    DockPoint startCursor_;
    DockPoint grab_;
    DockRect startRect_;  // the moving window's own rectangle when its move began
    WindowHandle moving_ = 0;
};

}  // namespace kz
