#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/magneticwnd.h"

using namespace kz;

namespace {

// A desktop of rectangles: moves are applied at once and recorded by batch.
class FakeDesktop : public DockPlatform {
public:
    bool isWindow(WindowHandle w) const override { return rects.count(w) > 0; }
    DockRect windowRect(WindowHandle w) const override { return rects.at(w); }
    bool isMaximized(WindowHandle w) const override { return maximized.count(w) > 0; }
    DockRect workArea() const override { return area; }
    DockPoint cursor() const override { return pointer; }
    void moveWindows(const std::vector<DockMove>& moves) override {
        batches.push_back(moves);
        for (const DockMove& m : moves) {
            DockRect& r = rects.at(m.window);
            r = r.shifted(m.topLeft.x - r.left, m.topLeft.y - r.top);
        }
    }
    void watch(WindowHandle w) override { watched.insert(w); }
    void unwatch(WindowHandle w) override { watched.erase(w); }

    std::map<WindowHandle, DockRect> rects;
    std::set<WindowHandle> maximized, watched;
    DockRect area{0, 0, 1280, 800};
    DockPoint pointer{};
    std::vector<std::vector<DockMove>> batches;
};

constexpr WindowHandle kPanel = 1, kSearch = 2, kOther = 3, kFourth = 4;

DockRect at(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// Drags `w` by the mouse from its place to `left`, `top` and returns where the docking puts it.
DockRect dragTo(FakeDesktop& d, cMagneticWnd& m, WindowHandle w, int left, int top) {
    const DockRect start = d.rects.at(w);
    d.pointer = {start.left + 30, start.top + 10};  // grabbed on the title bar
    m.enterSizeMove(w);
    d.pointer = {left + 30, top + 10};
    DockRect proposed = start;  // whatever the system proposes, the cursor decides
    m.moving(w, proposed);
    d.rects.at(w) = proposed;
    return proposed;
}

}  // namespace

TEST(GlueTest, TouchingWithAnAlignedEdge) {
    const DockRect panel = at(100, 100, 300, 200);
    struct Case {
        const char* what;
        DockRect other;
        bool glued;
    };
    const Case cases[] = {
        {"left edge on the panel's right edge", at(400, 150, 100, 100), true},
        {"right edge on the panel's left edge", at(0, 120, 100, 100), true},
        {"top edge on the panel's bottom edge", at(150, 300, 50, 50), true},
        {"bottom edge on the panel's top edge", at(150, 50, 50, 50), true},
        {"one pixel of gap on the right", at(401, 150, 100, 100), false},
        {"one pixel of gap below", at(150, 301, 50, 50), false},
        {"beside, but entirely below the panel", at(400, 301, 100, 100), false},
        {"overlapping without an aligned edge", at(200, 150, 300, 300), false},
        {"overlapping with the same top", at(200, 100, 300, 300), true},
        {"inside, sharing the left edge", at(100, 150, 50, 50), true},
        {"touching only at a corner", at(400, 300, 50, 50), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gluedTogether(panel, c.other), c.glued) << c.what;
        EXPECT_EQ(gluedTogether(c.other, panel), c.glued) << c.what << " (swapped)";
    }
}

TEST(MagneticWnd, Registration) {
    FakeDesktop d;
    d.rects = {{kPanel, at(100, 100, 300, 200)}, {kSearch, at(400, 100, 200, 250)}, {kOther, at(700, 500, 50, 50)}};
    cMagneticWnd m(d);
    EXPECT_EQ(m.SnapWidth(), 10);
    EXPECT_TRUE(m.AddWindow(kPanel, 0));
    EXPECT_FALSE(m.AddWindow(kPanel, 0));
    EXPECT_FALSE(m.AddWindow(kPanel, kOther));  // already registered: the parent does not change
    EXPECT_EQ(m.parentOf(kPanel), 0u);
    EXPECT_FALSE(m.AddWindow(99, 0));       // not a window
    EXPECT_FALSE(m.AddWindow(kOther, 99));  // the parent is not a window
    EXPECT_FALSE(m.AddWindow(0, 0));
    EXPECT_TRUE(m.AddWindow(kSearch, kPanel));
    EXPECT_EQ(m.windowCount(), 2u);
    EXPECT_TRUE(m.isGlued(kSearch));  // glue is computed on registration
    EXPECT_EQ(d.watched, (std::set<WindowHandle>{kPanel, kSearch}));

    EXPECT_FALSE(m.RemoveWindow(kOther));
    EXPECT_TRUE(m.RemoveWindow(kPanel));
    EXPECT_FALSE(m.isRegistered(kPanel));
    EXPECT_EQ(m.parentOf(kSearch), 0u);  // its child is top-level now
    EXPECT_FALSE(m.isGlued(kSearch));
    EXPECT_EQ(d.watched, (std::set<WindowHandle>{kSearch}));
}

TEST(MagneticWnd, GlueRunsThroughChainsOfSiblings) {
    FakeDesktop d;
    d.rects = {{kPanel, at(100, 100, 300, 200)},
               {kSearch, at(600, 100, 100, 100)},   // touches only kOther
               {kOther, at(400, 100, 200, 100)},    // touches the panel
               {kFourth, at(900, 100, 100, 100)}};  // touches nothing
    cMagneticWnd m(d);
    m.AddWindow(kPanel);
    m.AddWindow(kSearch, kPanel);  // registered before the sibling that links it
    m.AddWindow(kOther, kPanel);
    m.AddWindow(kFourth, kPanel);
    EXPECT_TRUE(m.isGlued(kOther));
    EXPECT_TRUE(m.isGlued(kSearch));
    EXPECT_FALSE(m.isGlued(kFourth));
    EXPECT_FALSE(m.isGlued(kPanel));  // a top-level window is never glued

    // The whole chain travels with the panel, in one batch; the loose one stays.
    const DockRect placed = dragTo(d, m, kPanel, 150, 200);
    EXPECT_EQ(placed, at(150, 200, 300, 200));
    ASSERT_EQ(d.batches.size(), 1u);
    EXPECT_EQ(d.batches[0].size(), 2u);
    EXPECT_EQ(d.rects[kOther], at(450, 200, 200, 100));
    EXPECT_EQ(d.rects[kSearch], at(650, 200, 100, 100));
    EXPECT_EQ(d.rects[kFourth], at(900, 100, 100, 100));
}

// Snapping to the work area and to another window, for every edge, from both
// sides: within 9 pixels the edge jumps, at 10 it stays.
TEST(MagneticWnd, MovingSnapsWithinNinePixels) {
    struct Case {
        const char* what;
        int left, top;          // where the cursor takes the moving window (300 x 200)
        int wantLeft, wantTop;  // where it ends
    };
    // The other window sits at (600, 300)-(800, 500).
    const Case cases[] = {
        {"left edge 9 inside the work area", 9, 400, 0, 400},
        {"left edge 10 inside the work area", 10, 400, 10, 400},
        {"left edge 9 outside the work area", -9, 400, 0, 400},
        {"left edge 10 outside the work area", -10, 400, -10, 400},
        {"top edge 9 below the work area's top", 100, 9, 100, 0},
        {"top edge 10 below the work area's top", 100, 10, 100, 10},
        {"top edge 9 above the work area's top", 100, -9, 100, 0},
        {"right edge 9 short of the work area's right", 1280 - 300 - 9, 40, 980, 40},
        {"right edge 10 short of the work area's right", 1280 - 300 - 10, 40, 970, 40},
        {"right edge 9 beyond the work area's right", 1280 - 300 + 9, 40, 980, 40},
        {"bottom edge 9 above the work area's bottom", 100, 800 - 200 - 9, 100, 600},
        {"bottom edge 10 above the work area's bottom", 100, 800 - 200 - 10, 100, 590},
        {"bottom edge 9 below the work area's bottom", 100, 800 - 200 + 9, 100, 600},
        {"right edge 9 short of the other's left", 291, 320, 300, 320},
        {"right edge 10 short of the other's left", 290, 320, 290, 320},
        {"right edge 9 into the other's left", 309, 320, 300, 320},
        {"left edge 9 right of the other's right", 809, 320, 800, 320},
        {"left edge 10 right of the other's right", 810, 320, 810, 320},
        {"left edge 9 into the other's right", 791, 320, 800, 320},
        {"bottom edge 9 short of the other's top", 550, 91, 550, 100},
        {"bottom edge 10 short of the other's top", 550, 90, 550, 90},
        {"top edge 9 below the other's bottom", 550, 509, 550, 500},
        {"top edge 10 below the other's bottom", 550, 510, 550, 510},
        {"top edge 9 into the other's bottom", 550, 491, 550, 500},
        {"beside the other but 10 below its bottom: no side snap", 295, 510, 295, 510},
        {"corner 9 from the other's bottom-left: both edges snap", 295, 509, 300, 500},
    };
    for (const Case& c : cases) {
        FakeDesktop d;
        d.rects = {{kPanel, at(100, 300, 300, 200)}, {kOther, at(600, 300, 200, 200)}};
        cMagneticWnd m(d);
        m.AddWindow(kOther);
        m.AddWindow(kPanel);
        EXPECT_EQ(dragTo(d, m, kPanel, c.left, c.top), at(c.wantLeft, c.wantTop, 300, 200)) << c.what;
    }
}

TEST(MagneticWnd, TheWindowFollowsTheCursorOutOfASnap) {
    FakeDesktop d;
    d.rects = {{kPanel, at(100, 300, 300, 200)}};
    cMagneticWnd m(d);
    m.AddWindow(kPanel);
    d.pointer = {130, 310};
    m.enterSizeMove(kPanel);
    DockRect p = d.rects[kPanel];
    d.pointer = {30 + 5, 310};  // left edge at 5: snaps to 0
    m.moving(kPanel, p);
    EXPECT_EQ(p.left, 0);
    d.pointer = {30 + 20, 310};  // pulled further: 20, not 0 + 15
    m.moving(kPanel, p);
    EXPECT_EQ(p.left, 20);
}

TEST(MagneticWnd, LaterRegistrationsWinTies) {
    // Two windows whose right edges lie 5 pixels either side of the mover's left edge.
    for (bool nearFirst : {true, false}) {
        FakeDesktop d;
        d.rects = {{kOther, at(0, 100, 300, 100)}, {kFourth, at(0, 250, 310, 100)}, {kPanel, at(500, 150, 100, 100)}};
        cMagneticWnd m(d);
        m.AddWindow(nearFirst ? kOther : kFourth);
        m.AddWindow(nearFirst ? kFourth : kOther);
        m.AddWindow(kPanel);
        const DockRect placed = dragTo(d, m, kPanel, 305, 160);
        EXPECT_EQ(placed.left, nearFirst ? 310 : 300);
    }
}

TEST(MagneticWnd, AMaximizedWindowOffersTheWorkArea) {
    for (bool maximized : {false, true}) {
        FakeDesktop d;
        d.rects = {{kOther, at(500, 500, 100, 100)}, {kPanel, at(700, 500, 100, 100)}};
        if (maximized) d.maximized.insert(kOther);
        cMagneticWnd m(d);
        m.AddWindow(kOther);
        m.AddWindow(kPanel);
        const DockRect placed = dragTo(d, m, kPanel, 605, 520);
        EXPECT_EQ(placed.left, maximized ? 605 : 600);
    }
}

TEST(MagneticWnd, AGluedChildTravelsAndUnglues) {
    FakeDesktop d;
    d.rects = {{kPanel, at(300, 300, 321, 290)}, {kSearch, at(621, 320, 249, 290)}};
    cMagneticWnd m(d);
    m.AddWindow(kPanel);
    m.AddWindow(kSearch, kPanel);
    ASSERT_TRUE(m.isGlued(kSearch));

    // The child does not pull the panel's snap towards itself.
    dragTo(d, m, kPanel, 200, 100);
    EXPECT_EQ(d.rects[kSearch], at(521, 120, 249, 290));
    ASSERT_EQ(d.batches.size(), 1u);
    EXPECT_EQ(d.batches[0], (std::vector<DockMove>{{kSearch, {521, 120}}}));
    m.exitSizeMove(kPanel);
    EXPECT_TRUE(m.isGlued(kSearch));

    // Dragged away, the child stays glued until its move ends.
    dragTo(d, m, kSearch, 700, 400);
    EXPECT_TRUE(m.isGlued(kSearch));
    m.exitSizeMove(kSearch);
    EXPECT_FALSE(m.isGlued(kSearch));
    d.batches.clear();
    dragTo(d, m, kPanel, 100, 100);
    EXPECT_TRUE(d.batches.empty());
    EXPECT_EQ(d.rects[kSearch], at(700, 400, 249, 290));

    // Dropped back within reach, it snaps onto the panel and is glued again.
    dragTo(d, m, kSearch, 425, 150);
    m.exitSizeMove(kSearch);
    EXPECT_EQ(d.rects[kSearch].left, 421);
    EXPECT_TRUE(m.isGlued(kSearch));
}

TEST(MagneticWnd, AnOverlappingChildWithoutAlignedEdgeStaysBehind) {
    FakeDesktop d;
    d.rects = {{kPanel, at(300, 300, 321, 290)}, {kSearch, at(400, 350, 249, 290)}};
    cMagneticWnd m(d);
    m.AddWindow(kPanel);
    m.AddWindow(kSearch, kPanel);
    EXPECT_FALSE(m.isGlued(kSearch));
    dragTo(d, m, kPanel, 200, 200);
    EXPECT_TRUE(d.batches.empty());
    EXPECT_EQ(d.rects[kSearch], at(400, 350, 249, 290));
}

TEST(MagneticWnd, TheGroupSnapsThroughItsGluedChild) {
    FakeDesktop d;
    d.rects = {{kPanel, at(300, 300, 300, 200)}, {kSearch, at(600, 300, 200, 200)}};
    cMagneticWnd m(d);
    m.AddWindow(kPanel);
    m.AddWindow(kSearch, kPanel);
    // The child's right edge comes 7 short of the work area's right: both move 7 further.
    const DockRect placed = dragTo(d, m, kPanel, 1280 - 500 - 7, 300);
    EXPECT_EQ(placed, at(780, 300, 300, 200));
    EXPECT_EQ(d.rects[kSearch], at(1080, 300, 200, 200));
}

TEST(MagneticWnd, SizingSnapsTheDraggedEdge) {
    struct Case {
        const char* what;
        SizingEdge edge;
        DockRect proposed, want;
    };
    // The window starts at (300, 300)-(600, 500); another window sits at (700, 250)-(900, 550).
    const Case cases[] = {
        {"right edge 9 short of the other's left", SizingEdge::Right, {300, 300, 691, 500}, {300, 300, 700, 500}},
        {"right edge 10 short of the other's left", SizingEdge::Right, {300, 300, 690, 500}, {300, 300, 690, 500}},
        {"bottom-right corner: right edge snaps", SizingEdge::BottomRight, {300, 300, 708, 500}, {300, 300, 700, 500}},
        {"left edge 9 from the work area's left", SizingEdge::Left, {9, 300, 600, 500}, {0, 300, 600, 500}},
        {"left edge 10 from the work area's left", SizingEdge::Left, {10, 300, 600, 500}, {10, 300, 600, 500}},
        {"top edge 9 from the work area's top", SizingEdge::Top, {300, 9, 600, 500}, {300, 0, 600, 500}},
        {"top edge 10 from the work area's top", SizingEdge::Top, {300, 10, 600, 500}, {300, 10, 600, 500}},
        {"top edge 9 from the other's top", SizingEdge::TopRight, {300, 259, 695, 500}, {300, 250, 700, 500}},
        {"bottom edge 9 from the work area's bottom", SizingEdge::Bottom, {300, 300, 600, 791}, {300, 300, 600, 800}},
        {"bottom edge 10 from the work area's bottom", SizingEdge::Bottom, {300, 300, 600, 790}, {300, 300, 600, 790}},
        {"bottom-left: both edges", SizingEdge::BottomLeft, {5, 300, 600, 795}, {0, 300, 600, 800}},
        {"a left drag leaves the right edge", SizingEdge::Left, {295, 300, 695, 500}, {295, 300, 695, 500}},
        {"bottom edge of a window beside, not below", SizingEdge::Bottom, {300, 300, 600, 545}, {300, 300, 600, 545}},
    };
    for (const Case& c : cases) {
        FakeDesktop d;
        d.rects = {{kOther, at(700, 250, 200, 300)}, {kPanel, {300, 300, 600, 500}}};
        cMagneticWnd m(d);
        m.AddWindow(kOther);
        m.AddWindow(kPanel);
        m.enterSizeMove(kPanel);
        DockRect p = c.proposed;
        m.sizing(kPanel, c.edge, p);
        EXPECT_EQ(p, c.want) << c.what;
    }
}

// Where the window manager moves windows: the glued child follows each move,
// and the snap comes when the panel is dropped.
TEST(MagneticWnd, FollowAndDrop) {
    for (int gap : {9, 10}) {
        FakeDesktop d;
        d.rects = {{kPanel, at(300, 300, 321, 290)}, {kSearch, at(621, 300, 249, 290)}};
        cMagneticWnd m(d);
        m.AddWindow(kPanel);
        m.AddWindow(kSearch, kPanel);
        d.rects[kPanel] = at(200, 250, 321, 290);  // the window manager already moved it
        m.follow(kPanel, d.rects[kPanel]);
        EXPECT_EQ(d.rects[kSearch], at(521, 250, 249, 290));
        d.rects[kPanel] = at(gap, 240, 321, 290);
        m.follow(kPanel, d.rects[kPanel]);
        const DockRect placed = m.drop(kPanel, d.rects[kPanel]);
        EXPECT_EQ(placed.left, gap == 9 ? 0 : 10);
        EXPECT_EQ(d.rects[kSearch].left, placed.right);
        d.rects[kPanel] = placed;
        m.exitSizeMove(kPanel);
        EXPECT_FALSE(m.moveInProgress(kPanel));
        EXPECT_TRUE(m.isGlued(kSearch));
    }
}
