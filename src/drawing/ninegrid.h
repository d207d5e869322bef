// The nine-grid stretch as rectangle arithmetic: which part of a source tile
// goes where on a target of a given size. Drawing code copies the pieces.
#pragma once

#include <vector>

namespace kz::drawing {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// One copy: `source` (inside the tile's bitmap) stretched onto `target`
// (relative to the target rectangle's top-left corner).
struct GridPiece {
    Rect target;
    Rect source;
    bool operator==(const GridPiece&) const = default;
};

// Pieces that stretch the tile onto a width x height target. Nothing for an
// empty target or tile. With all margins 0 or less the whole tile is
// stretched; otherwise the corners keep their size, the edges stretch along
// their length and the centre both ways. A piece whose margin is 0, or whose
// stretched size comes out empty (margins wider than the target), is left out.
std::vector<GridPiece> nineGridPieces(int width, int height, Rect tile, Margins m);

}  // namespace kz::drawing
