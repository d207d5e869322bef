// A working drawn as a pupil writes it in the exercise book: rows on ruled
// paper, each step's "＝" under the one above, short-division ladders with
// their rules, fractions stacked and exponents raised. Layout and painting are
// apart and in logical pixels (fonts by pixel size), so the pane and a printer
// page, scaled to its resolution, draw the same rows and a page can break
// between any two of them.
#pragma once

#include <QFont>
#include <QPointF>
#include <QString>
#include <vector>

#include "framework/working.h"

class QPainter;
class QRectF;

namespace kz::ui {

// One mark on the paper, relative to its row's top left corner.
struct PaperInk {
    enum class Kind { Text, Stroke };
    Kind kind = Kind::Text;
    QPointF at;          // Text: start of its baseline; Stroke: one end
    QPointF to;          // Stroke: the other end
    QString text;        // Text
    bool small = false;  // an exponent's face
};

// A row takes a whole number of ruled lines.
struct PaperRow {
    double height = 0;
    double width = 0;
    bool muted = false;  // a note instead of a working
    std::vector<PaperInk> ink;
};

class WorkingPaper {
public:
    explicit WorkingPaper(double pixelSize = 16);

    std::vector<PaperRow> layOut(const Working& working) const;
    // The message of a rejected calculation, where a working would stand.
    PaperRow noteRow(const QString& text) const;

    // Distance between two rules of the paper.
    double pitch() const { return pitch_; }
    static double width(const std::vector<PaperRow>& rows);
    static double height(const std::vector<PaperRow>& rows);

    // The faint rules of `area`, the first one `pitch` below its top.
    void paintRuling(QPainter& p, const QRectF& area) const;
    void paintRow(QPainter& p, const PaperRow& row, QPointF topLeft) const;

    // Inline layout of one text, the baseline at y = 0.
    struct Run {
        std::vector<PaperInk> ink;
        double width = 0, ascent = 0, descent = 0;
    };
    Run inlineRun(const QString& text) const;

private:
    void addText(Run& run, const QString& text, double baseline, bool small = false) const;
    PaperRow rowOf(Run run, double left) const;

    QFont font_, small_;
    double pitch_ = 0;
};

}  // namespace kz::ui
