#include "drawing/ninegrid.h"

namespace kz::drawing {

std::vector<GridPiece> nineGridPieces(int width, int height, Rect tile, Margins m) {
    std::vector<GridPiece> out;
    if (width <= 0 || height <= 0 || tile.width <= 0 || tile.height <= 0) return out;
    if (m.left <= 0 && m.top <= 0 && m.right <= 0 && m.bottom <= 0) {
        out.push_back({{0, 0, width, height}, tile});
        return out;
    }
    const int l = m.left > 0 ? m.left : 0, t = m.top > 0 ? m.top : 0;
    const int r = m.right > 0 ? m.right : 0, b = m.bottom > 0 ? m.bottom : 0;
    // Columns and rows as (target start, target size, source start, source size).
    struct Band {
        int at, size, from, span;
    };
    const Band cols[3] = {{0, l, tile.x, l},
                          {l, width - l - r, tile.x + l, tile.width - l - r},
                          {width - r, r, tile.x + tile.width - r, r}};
    const Band rows[3] = {{0, t, tile.y, t},
                          {t, height - t - b, tile.y + t, tile.height - t - b},
                          {height - b, b, tile.y + tile.height - b, b}};
    for (const Band& row : rows)
        for (const Band& col : cols) {
            if (col.size <= 0 || row.size <= 0 || col.span <= 0 || row.span <= 0) continue;
            out.push_back({{col.at, row.at, col.size, row.size}, {col.from, row.from, col.span, row.span}});
        }
    return out;
}

}  // namespace kz::drawing
