#include "app/ballrules.h"

namespace kz {

namespace {
// A platform that reports no work area leaves the whole screen to the ball.
const PixelRect& workArea(const PixelRect& screen, const PixelRect& available) {
    return available.empty() ? screen : available;
}
}  // namespace

int ballLeft(const PixelRect& screen, const PixelRect& available, int ballWidth) {
    return workArea(screen, available).right() - ballWidth;
}

PixelPoint ballStart(const PixelRect& screen, const PixelRect& available, int ballWidth, int ballHeight) {
    const PixelRect ball{0, screen.y + screen.height * 3 / 4, ballWidth, ballHeight};
    return ballSettled(screen, available, ball);
}

PixelPoint ballDragged(const PixelRect& screen, const PixelRect& available, int ballWidth, int cursorY, int grabY) {
    return {ballLeft(screen, available, ballWidth), cursorY - grabY};
}

PixelPoint ballSettled(const PixelRect& screen, const PixelRect& available, const PixelRect& ball) {
    const PixelRect& area = workArea(screen, available);
    int top = ball.y;
    if (ball.bottom() > area.bottom()) top = area.bottom() - ball.height;
    else if (ball.y < area.y) top = area.y;
    return {ballLeft(screen, available, ball.width), top};
}

}  // namespace kz
