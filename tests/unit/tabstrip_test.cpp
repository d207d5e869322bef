#include <gtest/gtest.h>

#include <vector>

#include "drawing/ninegrid.h"
#include "drawing/tabstrip.h"

using namespace kz::drawing;

TEST(TabRow, CellsHoverAndClicks) {
    const TabRow row{100, 25, 3};
    struct Case {
        int x, y, cell;
    };
    const Case cases[] = {
        {0, 0, 0},        {99, 10, 0},
        {100, 10, 1},     {299, 25, 2},  // the row's own band includes y = tabHeight
        {300, 5, kNoTab}, {150, 26, kNoTab},
        {-1, 5, kNoTab},  {5, -1, kNoTab},
    };
    for (const Case& c : cases) EXPECT_EQ(row.cellAt(c.x, c.y), c.cell) << c.x << "," << c.y;

    struct Click {
        MouseButton b;
        int x, y;
        ClickAction act;
    };
    const Click clicks[] = {
        {MouseButton::Left, 150, 10, {1, true}},
        {MouseButton::Left, 350, 10, {kNoTab, true}},  // right of the last tab: focus only
        {MouseButton::Left, 150, 40, {}},              // below the row
        {MouseButton::Right, 150, 10, {}},
        {MouseButton::Middle, 50, 10, {}},
    };
    for (const Click& c : clicks) EXPECT_EQ(clickAt(row, c.b, c.x, c.y), c.act) << c.x << "," << c.y;
}

TEST(HotTab, ChangesOnlyWhenTheCellChanges) {
    const TabRow row{100, 25, 3};
    HotTab hot;
    struct Step {
        int x, y;
        bool changed;
        int hot;
    };
    const Step path[] = {
        {10, 10, true, 0},      {60, 20, false, 0},      {99, 25, false, 0},       {100, 25, true, 1},
        {180, 3, false, 1},     {180, 30, true, kNoTab}, {180, 40, false, kNoTab}, {250, 5, true, 2},
        {320, 5, true, kNoTab}, {20, 5, true, 0},
    };
    for (const Step& s : path) {
        EXPECT_EQ(hot.move(row, s.x, s.y), s.changed) << s.x << "," << s.y;
        EXPECT_EQ(hot.hot(), s.hot) << s.x << "," << s.y;
    }
    EXPECT_TRUE(hot.leave());
    EXPECT_FALSE(hot.leave());
    EXPECT_EQ(hot.hot(), kNoTab);
}

TEST(TabRow, SizesBelowThreeAreStoredAsThree) {
    for (auto [in, out] : std::vector<std::pair<int, int>>{{1, 3}, {-7, 3}, {0, 3}, {3, 3}, {4, 4}, {100, 100}})
        EXPECT_EQ(clampTabSize(in), out) << in;
}

TEST(NineGrid, PiecesOfTheSkinTile) {
    // The selected tab tile (14, 0, 7, 20) on a 100 x 25 cell, margins 3, 3, 3, 0:
    // no bottom row, corners unscaled, edges and centre stretched.
    const std::vector<GridPiece> want = {
        {{0, 0, 3, 3}, {14, 0, 3, 3}},   {{3, 0, 94, 3}, {17, 0, 1, 3}},   {{97, 0, 3, 3}, {18, 0, 3, 3}},
        {{0, 3, 3, 22}, {14, 3, 3, 17}}, {{3, 3, 94, 22}, {17, 3, 1, 17}}, {{97, 3, 3, 22}, {18, 3, 3, 17}},
    };
    EXPECT_EQ(nineGridPieces(100, 25, {14, 0, 7, 20}, {3, 3, 3, 0}), want);
}

TEST(NineGrid, EdgeCases) {
    struct Case {
        int w, h;
        Rect tile;
        Margins m;
        std::vector<GridPiece> pieces;
    };
    const Case cases[] = {
        {0, 25, {0, 0, 7, 20}, {3, 3, 3, 0}, {}},
        {10, 0, {0, 0, 7, 20}, {3, 3, 3, 0}, {}},
        {10, 10, {0, 0, 0, 20}, {3, 3, 3, 0}, {}},
        {10, 10, {0, 0, 7, 0}, {}, {}},
        // No margins: the whole tile stretched.
        {10, 12, {7, 0, 7, 20}, {0, 0, 0, 0}, {{{0, 0, 10, 12}, {7, 0, 7, 20}}}},
        {10, 12, {7, 0, 7, 20}, {-1, -2, 0, -3}, {{{0, 0, 10, 12}, {7, 0, 7, 20}}}},
        // Only a left margin: the left column and the rest.
        {10, 4, {0, 0, 5, 5}, {2, 0, 0, 0}, {{{0, 0, 2, 4}, {0, 0, 2, 5}}, {{2, 0, 8, 4}, {2, 0, 3, 5}}}},
        // Target narrower than both side margins: only the columns that fit are drawn.
        {5, 4, {0, 0, 7, 4}, {3, 0, 3, 0}, {{{0, 0, 3, 4}, {0, 0, 3, 4}}, {{2, 0, 3, 4}, {4, 0, 3, 4}}}},
    };
    for (const Case& c : cases) EXPECT_EQ(nineGridPieces(c.w, c.h, c.tile, c.m), c.pieces) << c.w << "x" << c.h;
}
