// Drawing routines on off-screen surfaces (QImage through a QPainter), the
// few that the tab strip's skin needs.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

#include "drawing/ninegrid.h"

class QPainter;

namespace kz::ui {

// A transparent surface of w x h logical pixels at the given device pixel
// ratio; a null image when the size is empty.
QImage createSurface(int width, int height, qreal devicePixelRatio = 1.0);

// Stretches `tile` of `source` onto `target` by the nine-grid rule, with
// nearest-pixel scaling. Pixels of `key` in the source are left out.
void drawNineGrid(QPainter& p, const QRect& target, const QImage& source, const QRect& tile, drawing::Margins margins,
                  std::optional<QColor> key = std::nullopt);

// A rectangle in `colour` blended at `opacity` (0-255, clamped).
void fillAlphaRect(QPainter& p, const QRect& r, const QColor& colour, int opacity = 255);

// A rectangle of `border` with an inner rectangle, inset by the four widths,
// of `fill`; the whole blended at `opacity`.
void drawBorderBox(QPainter& p, const QRect& r, const QColor& border, const QColor& fill,
                   drawing::Margins widths = {1, 1, 1, 1}, int opacity = 255);

// The dotted focus rectangle (alternate pixels), in `colour` or the pen's colour.
void drawFocusFrame(QPainter& p, const QRect& r, std::optional<QColor> colour = std::nullopt);

// One line of text centred both ways in `r`, in the painter's font and pen.
void drawCentredText(QPainter& p, const QString& text, const QRect& r);

}  // namespace kz::ui
