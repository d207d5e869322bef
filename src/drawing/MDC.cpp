#include "drawing/MDC.h"

#include <QPainter>
#include <algorithm>

namespace kz::ui {

QImage createSurface(int width, int height, qreal devicePixelRatio) {
    if (width <= 0 || height <= 0) return {};
    QImage img(qRound(width * devicePixelRatio), qRound(height * devicePixelRatio),
               QImage::Format_ARGB32_Premultiplied);
    if (img.isNull()) return {};
    img.setDevicePixelRatio(devicePixelRatio);
    img.fill(Qt::transparent);
    return img;
}

void drawNineGrid(QPainter& p, const QRect& target, const QImage& source, const QRect& tile, drawing::Margins margins,
                  std::optional<QColor> key) {
    const auto pieces = drawing::nineGridPieces(target.width(), target.height(),
                                                {tile.x(), tile.y(), tile.width(), tile.height()}, margins);
    if (pieces.empty() || source.isNull()) return;
    // Assembled at the source's own scale, so every pixel is a source pixel
    // and the key colour survives the stretch exactly.
    QImage part(target.width(), target.height(), QImage::Format_ARGB32);
    part.fill(Qt::transparent);
    {
        QPainter q(&part);
        q.setCompositionMode(QPainter::CompositionMode_Source);
        q.setRenderHint(QPainter::SmoothPixmapTransform, false);
        for (const drawing::GridPiece& g : pieces)
            q.drawImage(QRect(g.target.x, g.target.y, g.target.width, g.target.height), source,
                        QRect(g.source.x, g.source.y, g.source.width, g.source.height));
    }
    if (key) {
        const QRgb k = key->rgb() & 0xFFFFFFu;
        for (int y = 0; y < part.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
            for (int x = 0; x < part.width(); ++x)
                if ((line[x] & 0xFFFFFFu) == k) line[x] = 0;
        }
    }
    const bool smooth = p.testRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(target.topLeft(), part);
    p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void fillAlphaRect(QPainter& p, const QRect& r, const QColor& colour, int opacity) {
    QColor c = colour;
    c.setAlpha(std::clamp(opacity, 0, 255));
    p.fillRect(r, c);
}

void drawBorderBox(QPainter& p, const QRect& r, const QColor& border, const QColor& fill, drawing::Margins widths,
                   int opacity) {
    const qreal old = p.opacity();
    p.setOpacity(old * std::clamp(opacity, 0, 255) / 255.0);
    // Both parts at once into a layer, so the blend applies to the box as a whole.
    QImage box(r.size(), QImage::Format_ARGB32_Premultiplied);
    box.fill(border);
    const QRect inner = QRect(QPoint(0, 0), r.size()).adjusted(widths.left, widths.top, -widths.right, -widths.bottom);
    if (inner.isValid()) {
        QPainter q(&box);
        q.fillRect(inner, fill);
    }
    p.drawImage(r.topLeft(), box);
    p.setOpacity(old);
}

void drawFocusFrame(QPainter& p, const QRect& r, std::optional<QColor> colour) {
    if (r.width() <= 0 || r.height() <= 0) return;
    const QColor c = colour ? *colour : p.pen().color();
    // Every other pixel along the edge, starting at the top-left corner.
    auto dot = [&](int x, int y) {
        if (((x - r.left()) + (y - r.top())) % 2 == 0) p.fillRect(QRect(x, y, 1, 1), c);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        dot(r.right(), y);
    }
}

void drawCentredText(QPainter& p, const QString& text, const QRect& r) {
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text);
}

}  // namespace kz::ui
