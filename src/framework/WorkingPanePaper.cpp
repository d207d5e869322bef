#include "framework/WorkingPanePaper.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <algorithm>
#include <cmath>

#include "framework/Fonts.h"
#include "framework/UiSeam.h"

namespace kz::ui {

namespace {

const QColor kInk(0x20, 0x24, 0x30);
const QColor kMutedInk(0x70, 0x70, 0x70);
const QColor kRule(0xc6, 0xd6, 0xea);  // the exercise book's faint blue lines

const QString kEquals = qs(sign::kEquals);

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The operand of a fraction or power that starts at `i`: a decimal number or
// a run of Latin letters. Returns its end (== i: none).
qsizetype operandEnd(const QString& s, qsizetype i) {
    qsizetype j = i;
    if (j < s.size() && isDigit(s[j])) {
        while (j < s.size() && (isDigit(s[j]) || s[j] == u'.')) ++j;
    } else {
        while (j < s.size() && isLetter(s[j])) ++j;
    }
    return j;
}

// Only numbers and single letters stack: "km/h" stays a unit.
bool stacks(const QString& operand) { return !operand.isEmpty() && (isDigit(operand[0]) || operand.size() == 1); }

// The exponent after a "^" at `i`: a signed operand or a bracketed group,
// written without its brackets. Returns its end (== i: none).
qsizetype exponentEnd(const QString& s, qsizetype i, QString& exponent) {
    if (i < s.size() && s[i] == u'(') {
        int depth = 0;
        for (qsizetype j = i; j < s.size(); ++j) {
            if (s[j] == u'(') ++depth;
            if (s[j] == u')' && --depth == 0) {
                exponent = s.mid(i + 1, j - i - 1);
                return exponent.isEmpty() ? i : j + 1;
            }
        }
        return i;
    }
    qsizetype j = i;
    if (j < s.size() && (s[j] == u'-' || s[j] == QChar(0xFF0D))) ++j;
    const qsizetype end = operandEnd(s, j);
    if (end == j) return i;
    exponent = s.mid(i, end - i);
    return end;
}

double snap(double y) { return std::round(y) + 0.5; }  // a one-pixel stroke on a pixel row

}  // namespace

WorkingPaper::WorkingPaper(double pixelSize) : font_(songFont(12)), small_(songFont(9)) {
    font_.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    small_.setPixelSize(static_cast<int>(std::lround(pixelSize * 0.7)));
    // One rule to the next holds a stacked fraction with some air.
    const Run sample = inlineRun("9/9");
    pitch_ = std::ceil(sample.ascent + sample.descent + pixelSize * 0.5);
}

void WorkingPaper::addText(Run& run, const QString& text, double baseline, bool small) const {
    if (text.isEmpty()) return;
    const QFontMetricsF fm(small ? small_ : font_);
    // Every "＝" is a mark of its own, so steps can line up under it.
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype eq = text.indexOf(kEquals, from);
        const qsizetype end = eq == from ? from + kEquals.size() : eq < 0 ? text.size() : eq;
        const QString piece = text.mid(from, end - from);
        run.ink.push_back({PaperInk::Kind::Text, {run.width, baseline}, {}, piece, small});
        run.width += fm.horizontalAdvance(piece);
        from = end;
    }
    run.ascent = std::max(run.ascent, fm.ascent() - baseline);
    run.descent = std::max(run.descent, fm.descent() + baseline);
}

WorkingPaper::Run WorkingPaper::inlineRun(const QString& s) const {
    Run run;
    const QFontMetricsF fm(font_);
    run.ascent = fm.ascent();
    run.descent = fm.descent();
    const QRectF digits = fm.tightBoundingRect("0123456789");
    const double em = font_.pixelSize();
    QString plain;
    auto flush = [&] {
        addText(run, plain, 0);
        plain.clear();
    };
    auto fraction = [&](const QString& num, const QString& den) {
        flush();
        const double pad = em * 0.15, gap = em * 0.12;
        const double nw = fm.horizontalAdvance(num), dw = fm.horizontalAdvance(den);
        const double bar = std::max(nw, dw) + 2 * pad;
        const double x = run.width + em * 0.08;
        const double barY = -fm.strikeOutPos();
        const double numBase = barY - gap - digits.bottom(), denBase = barY + gap - digits.top();
        run.ink.push_back({PaperInk::Kind::Text, {x + (bar - nw) / 2, numBase}, {}, num, false});
        run.ink.push_back({PaperInk::Kind::Stroke, {x, barY}, {x + bar, barY}, {}, false});
        run.ink.push_back({PaperInk::Kind::Text, {x + (bar - dw) / 2, denBase}, {}, den, false});
        run.width = x + bar + em * 0.08;
        run.ascent = std::max(run.ascent, -(numBase + digits.top()));
        run.descent = std::max(run.descent, denBase + digits.bottom());
    };
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype end = operandEnd(s, i);
        if (end > i) {
            const QString word = s.mid(i, end - i);
            // 2又1/3: the whole part, then the stacked fraction, without 又.
            if (isDigit(word[0]) && end < s.size() && s[end] == QChar(0x53C8)) {
                const qsizetype numEnd = operandEnd(s, end + 1);
                if (numEnd > end + 1 && isDigit(s[end + 1]) && numEnd < s.size() && s[numEnd] == u'/') {
                    const qsizetype denEnd = operandEnd(s, numEnd + 1);
                    if (denEnd > numEnd + 1 && isDigit(s[numEnd + 1])) {
                        plain += word;
                        fraction(s.mid(end + 1, numEnd - end - 1), s.mid(numEnd + 1, denEnd - numEnd - 1));
                        i = denEnd;
                        continue;
                    }
                }
            }
            if (end < s.size() && s[end] == u'/') {
                const qsizetype denEnd = operandEnd(s, end + 1);
                const QString den = s.mid(end + 1, denEnd - end - 1);
                if (stacks(word) && stacks(den)) {
                    fraction(word, den);
                    i = denEnd;
                    continue;
                }
            }
            plain += word;
            i = end;
            continue;
        }
        // A power's base is the word or bracket just written.
        QString exponent;
        if (s[i] == u'^' && !plain.isEmpty()) {
            if (const qsizetype e = exponentEnd(s, i + 1, exponent); e > i + 1) {
                flush();
                addText(run, exponent, -fm.ascent() * 0.42, true);
                i = e;
                continue;
            }
        }
        plain += s[i];
        ++i;
    }
    flush();
    return run;
}

PaperRow WorkingPaper::rowOf(Run run, double left) const {
    PaperRow row;
    const double ink = run.ascent + run.descent;
    const double lines = std::max(1.0, std::ceil((ink + pitch_ * 0.1) / pitch_));
    row.height = lines * pitch_;
    // Sitting nearer the rule below than the one above, as handwriting does.
    const double baseline = row.height - run.descent - (row.height - ink) * 0.35;
    for (PaperInk& i : run.ink) {
        i.at += QPointF(left, baseline);
        i.to += QPointF(left, baseline);
        if (i.kind == PaperInk::Kind::Stroke && i.at.y() == i.to.y()) {
            i.at.setY(snap(i.at.y()));
            i.to.setY(i.at.y());
        } else if (i.kind == PaperInk::Kind::Stroke && i.at.x() == i.to.x()) {
            i.at.setX(snap(i.at.x()));
            i.to.setX(i.at.x());
        }
        row.ink.push_back(std::move(i));
    }
    row.width = left + run.width;
    return row;
}

std::vector<PaperRow> WorkingPaper::layOut(const Working& working) const {
    std::vector<PaperRow> rows;
    const QFontMetricsF fm(font_);
    const double em = font_.pixelSize();
    for (const WorkingBlock& b : working.blocks()) {
        switch (b.kind) {
            case WorkingBlock::Kind::Steps: {
                if (b.steps.empty()) break;
                Run first = inlineRun(qs(b.steps[0]));
                // "S＝a×h÷2": the later lines' "＝" go under its own; a plain
                // expression starts one "＝" in, so the rewritings line up with it.
                double eqX = -1;
                for (const PaperInk& i : first.ink)
                    if (i.kind == PaperInk::Kind::Text && i.text == kEquals) {
                        eqX = i.at.x();
                        break;
                    }
                const double indent = eqX < 0 ? fm.horizontalAdvance(kEquals) : 0;
                rows.push_back(rowOf(std::move(first), indent));
                for (std::size_t k = 1; k < b.steps.size(); ++k)
                    rows.push_back(rowOf(inlineRun(kEquals + qs(b.steps[k])), std::max(eqX, 0.0)));
                break;
            }
            case WorkingBlock::Kind::Line: rows.push_back(rowOf(inlineRun(qs(b.lead + b.text)), 0)); break;
            case WorkingBlock::Kind::Ladder: {
                const double pad = em * 0.35, gap = em * 0.9;
                double divW = 0;
                std::vector<Run> divisors;
                for (const LadderRow& r : b.rows) {
                    divisors.push_back(inlineRun(qs(r.divisor)));
                    divW = std::max(divW, divisors.back().width);
                }
                // Columns: every row's numbers and the numbers left share them.
                std::vector<std::vector<Run>> cells;
                std::vector<double> colW;
                auto measure = [&](const std::vector<std::string>& numbers) {
                    std::vector<Run> line;
                    for (std::size_t c = 0; c < numbers.size(); ++c) {
                        line.push_back(inlineRun(qs(numbers[c])));
                        if (colW.size() <= c) colW.push_back(0);
                        colW[c] = std::max(colW[c], line.back().width);
                    }
                    cells.push_back(std::move(line));
                };
                for (const LadderRow& r : b.rows) measure(r.numbers);
                measure(b.left);
                const double ruleX = divW + pad;
                std::vector<double> colX;
                double x = ruleX + pad + em * 0.2;
                for (double w : colW) {
                    colX.push_back(x);
                    x += w + gap;
                }
                const double numbersEnd = colW.empty() ? ruleX + pad : x - gap + pad;
                const QRectF digits = fm.tightBoundingRect("0123456789");
                for (std::size_t k = 0; k <= b.rows.size(); ++k) {
                    Run line;
                    line.ascent = fm.ascent();
                    line.descent = fm.descent();
                    auto place = [&](const Run& cell, double at) {
                        for (PaperInk i : cell.ink) {
                            i.at.rx() += at;
                            i.to.rx() += at;
                            line.ink.push_back(std::move(i));
                        }
                        line.ascent = std::max(line.ascent, cell.ascent);
                        line.descent = std::max(line.descent, cell.descent);
                        line.width = std::max(line.width, at + cell.width);
                    };
                    const std::vector<Run>& numbers = cells[k];
                    for (std::size_t c = 0; c < numbers.size(); ++c)
                        place(numbers[c], colX[c] + (colW[c] - numbers[c].width) / 2);
                    if (k < b.rows.size()) {
                        const LadderRow& r = b.rows[k];
                        place(divisors[k], divW - divisors[k].width);
                        if (r.remainder)
                            place(inlineRun(qs(std::string(sign::kRemainder) + " " + *r.remainder)),
                                  numbersEnd + gap * 0.5);
                        // The short-division bracket: a rule after the divisor, one under the numbers.
                        const double top = digits.top() - em * 0.2, under = std::max(digits.bottom(), 0.0) + em * 0.3;
                        line.ink.push_back({PaperInk::Kind::Stroke, {ruleX, top}, {ruleX, under}, {}, false});
                        line.ink.push_back({PaperInk::Kind::Stroke, {ruleX, under}, {numbersEnd, under}, {}, false});
                        line.ascent = std::max(line.ascent, -top + 1);
                        line.descent = std::max(line.descent, under + 1);
                        line.width = std::max(line.width, numbersEnd);
                    }
                    rows.push_back(rowOf(std::move(line), 0));
                }
                break;
            }
        }
    }
    return rows;
}

PaperRow WorkingPaper::noteRow(const QString& text) const {
    PaperRow row = rowOf(inlineRun(text), 0);
    row.muted = true;
    return row;
}

double WorkingPaper::width(const std::vector<PaperRow>& rows) {
    double w = 0;
    for (const PaperRow& r : rows) w = std::max(w, r.width);
    return w;
}

double WorkingPaper::height(const std::vector<PaperRow>& rows) {
    double h = 0;
    for (const PaperRow& r : rows) h += r.height;
    return h;
}

void WorkingPaper::paintRuling(QPainter& p, const QRectF& area) const {
    p.save();
    p.setPen(QPen(kRule, 1));
    for (double y = area.top() + pitch_; y <= area.bottom(); y += pitch_)
        p.drawLine(QPointF(area.left(), snap(y) - 1), QPointF(area.right(), snap(y) - 1));
    p.restore();
}

void WorkingPaper::paintRow(QPainter& p, const PaperRow& row, QPointF topLeft) const {
    p.save();
    p.setPen(QPen(row.muted ? kMutedInk : kInk, 1));
    for (const PaperInk& i : row.ink) {
        if (i.kind == PaperInk::Kind::Stroke) {
            p.drawLine(topLeft + i.at, topLeft + i.to);
        } else {
            p.setFont(i.small ? small_ : font_);
            p.drawText(topLeft + i.at, i.text);
        }
    }
    p.restore();
}

}  // namespace kz::ui
