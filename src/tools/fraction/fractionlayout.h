// Fraction bars and rules, given as the two ends of the line in twips.
#pragma once

#include <algorithm>
#include <string>

#include "framework/windowmodel.h"

namespace kz {

// One logical pixel of thickness: a line is declared as the box it covers.
inline constexpr int kLineThickness = 15;

inline ControlDecl bar(std::string name, int x1, int y1, int x2, int y2) {
    const int w = std::max(x2 - x1, kLineThickness);
    const int h = std::max(y2 - y1, kLineThickness);
    return line(std::move(name)).place(std::min(x1, x2), std::min(y1, y2), w, h);
}

}  // namespace kz
