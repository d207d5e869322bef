// Where the floating ball sits: flush with the right edge of the work area,
// moved only vertically, and put back inside the work area when released.
#pragma once

namespace kz {

// A rectangle in screen pixels; right and bottom are exclusive.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const PixelRect&) const = default;
};

struct PixelPoint {
    int x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// The left of a ball of this width flush with the right edge. A taskbar on the
// right narrows the work area, so the ball stays beside it, not under it.
int ballLeft(const PixelRect& screen, const PixelRect& available, int ballWidth);

// At start: flush right, three quarters of the way down the screen, inside the work area.
PixelPoint ballStart(const PixelRect& screen, const PixelRect& available, int ballWidth, int ballHeight);

// While dragging: the ball keeps its grab point under the cursor, vertically only.
PixelPoint ballDragged(const PixelRect& screen, const PixelRect& available, int ballWidth, int cursorY, int grabY);

// On release: a ball below the work area goes just above its bottom (above a
// bottom taskbar); one above it goes to its top (0 without a top taskbar).
PixelPoint ballSettled(const PixelRect& screen, const PixelRect& available, const PixelRect& ball);

}  // namespace kz
