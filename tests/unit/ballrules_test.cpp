// The floating ball's placement over screens with the taskbar on each side.
#include "app/ballrules.h"

#include <gtest/gtest.h>

namespace {

using kz::PixelPoint;
using kz::PixelRect;

const PixelRect kScreen{0, 0, 1280, 800};
const PixelRect kBottomBar{0, 0, 1280, 760};
const PixelRect kTopBar{0, 40, 1280, 760};
const PixelRect kRightBar{0, 0, 1220, 800};
const PixelRect kLeftBar{60, 0, 1220, 800};
const PixelRect kSecondScreen{1280, 200, 1024, 768};

struct SettleCase {
    const char* what;
    PixelRect screen, available;
    int top;
    PixelPoint expected;
};

TEST(BallSettled, KeepsTheBallInsideTheWorkArea) {
    const SettleCase cases[] = {
        {"inside stays", kScreen, kBottomBar, 300, {1246, 300}},
        {"resting on the taskbar stays", kScreen, kBottomBar, 710, {1246, 710}},
        {"one pixel into the taskbar", kScreen, kBottomBar, 711, {1246, 710}},
        {"dragged off the bottom", kScreen, kBottomBar, 900, {1246, 710}},
        {"dragged above the top", kScreen, kBottomBar, -30, {1246, 0}},
        {"top edge stays", kScreen, kBottomBar, 0, {1246, 0}},
        {"no taskbar: screen bottom", kScreen, kScreen, 790, {1246, 750}},
        {"taskbar at the top", kScreen, kTopBar, 10, {1246, 40}},
        {"taskbar at the top, low ball", kScreen, kTopBar, 790, {1246, 750}},
        {"taskbar at the right: beside it", kScreen, kRightBar, 300, {1186, 300}},
        {"taskbar at the left: right edge", kScreen, kLeftBar, 300, {1246, 300}},
        {"second screen, above it", kSecondScreen, kSecondScreen, 100, {2270, 200}},
        {"second screen, below it", kSecondScreen, kSecondScreen, 960, {2270, 918}},
        {"no work area reported", kScreen, PixelRect{}, 790, {1246, 750}},
    };
    for (const auto& c : cases) {
        const PixelRect ball{0, c.top, 34, 50};
        EXPECT_EQ(kz::ballSettled(c.screen, c.available, ball), c.expected) << c.what;
    }
}

TEST(BallStart, FlushRightThreeQuartersDown) {
    EXPECT_EQ(kz::ballStart(kScreen, kBottomBar, 34, 50), (PixelPoint{1246, 600}));
    EXPECT_EQ(kz::ballStart({0, 0, 1024, 767}, {0, 0, 1024, 767}, 34, 50), (PixelPoint{990, 575}));
    EXPECT_EQ(kz::ballStart(kSecondScreen, kSecondScreen, 34, 50), (PixelPoint{2270, 776}));
    EXPECT_EQ(kz::ballStart(kScreen, kRightBar, 34, 50), (PixelPoint{1186, 600}));
    // A low screen whose taskbar covers three quarters of the way down.
    EXPECT_EQ(kz::ballStart({0, 0, 320, 200}, {0, 0, 320, 140}, 34, 50), (PixelPoint{286, 90}));
}

}  // namespace
