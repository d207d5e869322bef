#include "calc/StepsPane.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <vector>

#include "framework/Fonts.h"
#include "framework/UiSeam.h"

namespace kz::ui {

namespace {

const QColor kPaper(255, 253, 244);
const QColor kRule(196, 214, 236);
const QColor kInk(0, 0, 0);
constexpr int kMargin = 6;
constexpr int kRowGap = 8;  // between the text and the rule under it

// A piece of a line, written on the line or raised as an exponent.
struct Piece {
    QString text;
    bool raised = false;
};

bool isNumberChar(QChar c) { return c.isDigit() || c == '.'; }

// "a^b" with a plain number b that nothing else follows into (a sign, a
// closing parenthesis or bar, or the end) is written a with b raised; any
// other power keeps its "^", so the raise never reads differently from the
// line (2^3(4) is 2 to the 12th, not 2³ times 4).
std::vector<Piece> pieces(const QString& line) {
    static const QString kClosers = QStringLiteral(")|＋－×÷＝");
    std::vector<Piece> out(1);
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '^') {
            qsizetype end = i + 1;
            while (end < line.size() && isNumberChar(line[end])) ++end;
            if (end > i + 1 && (end == line.size() || kClosers.contains(line[end]))) {
                out.push_back({line.mid(i + 1, end - i - 1), true});
                out.push_back({});
                i = end - 1;
                continue;
            }
        }
        out.back().text += line[i];
    }
    return out;
}

}  // namespace

// The paper itself: one row per line, the "＝" signs in one column.
class StepsPane::Sheet : public QWidget {
public:
    explicit Sheet(QWidget* parent) : QWidget(parent), font_(songFont(12)), small_(songFont(8)) {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, kPaper);
        setPalette(p);
    }

    // paperWidth: the narrowest the paper is, so the rules reach across the pane.
    void setWorking(const Working& working, int paperWidth) {
        rows_.clear();
        column_ = kMargin;
        for (const WorkingBlock& b : working.blocks()) {
            if (b.kind != WorkingBlock::Kind::Steps) {
                for (const std::string& line : single(b).plainLines()) rows_.push_back({{}, false, false, qs(line)});
                continue;
            }
            for (std::size_t i = 0; i < b.steps.size(); ++i) {
                const QString text = qs(b.steps[i]);
                // An assignment's names stand before the column: x＝2＋3, then ＝5 under its ＝.
                const qsizetype at = i == 0 ? text.lastIndexOf(kEquals) : -1;
                if (at >= 0) {
                    rows_.push_back({text.left(at), true, true, text.mid(at + 1)});
                    column_ = std::max(column_, kMargin + textWidth(rows_.back().lead));
                } else {
                    rows_.push_back({{}, i > 0, true, text});
                }
            }
        }
        int widest = 0;
        for (const Row& r : rows_) widest = std::max(widest, textLeft(r) + textWidth(r.text));
        const int rows = std::max(1, static_cast<int>(rows_.size()));
        setFixedSize(std::max(widest + kMargin, paperWidth), rowHeight() * rows + 2);
        update();
    }

    int rowHeight() const { return QFontMetrics(font_).height() + kRowGap; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QFontMetrics fm(font_);
        const int h = rowHeight();
        // The ruling goes on below the last row, as on a page.
        p.setPen(kRule);
        for (int y = h - 1; y < height(); y += h) p.drawLine(0, y, width(), y);
        p.setPen(kInk);
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            const Row& row = rows_[r];
            const int baseline = static_cast<int>(r) * h + fm.ascent() + kRowGap / 2;
            int x = column_ - textWidth(row.lead);
            draw(p, x, baseline, row.lead);
            x = column_;
            if (row.equals) draw(p, x, baseline, kEquals);
            x = textLeft(row);
            draw(p, x, baseline, row.text);
        }
    }

private:
    struct Row {
        QString lead;          // before the column: the names of an assignment
        bool equals = false;   // a "＝" in the column
        bool aligned = false;  // part of a 递等式: the text starts after the column
        QString text;
    };

    static Working single(const WorkingBlock& b) {
        Working w;
        switch (b.kind) {
            case WorkingBlock::Kind::Ladder: w.ladder(b.rows, b.left); break;
            case WorkingBlock::Kind::Line: w.line(b.lead, b.text); break;
            case WorkingBlock::Kind::Steps: w.steps(b.steps); break;
        }
        return w;
    }

    // The expression starts where the numbers of the rewritings start.
    int textLeft(const Row& r) const { return r.aligned ? column_ + textWidth(kEquals) : kMargin; }

    int textWidth(const QString& text) const {
        int w = 0;
        for (const Piece& piece : pieces(text))
            w += QFontMetrics(piece.raised ? small_ : font_).horizontalAdvance(piece.text);
        return w;
    }

    void draw(QPainter& p, int& x, int baseline, const QString& text) const {
        const int lift = QFontMetrics(font_).ascent() * 2 / 5;
        for (const Piece& piece : pieces(text)) {
            const QFont& f = piece.raised ? small_ : font_;
            p.setFont(f);
            p.drawText(x, piece.raised ? baseline - lift : baseline, piece.text);
            x += QFontMetrics(f).horizontalAdvance(piece.text);
        }
    }

    inline static const QString kEquals = QStringLiteral("＝");
    QFont font_, small_;
    std::vector<Row> rows_;
    int column_ = kMargin;  // where the "＝" signs stand
};

StepsPane::StepsPane(QWidget* bar, int width) : QScrollArea(bar), sheet_(new Sheet(this)) {
    setObjectName("StepsPane");
    setFixedWidth(width);
    setAccessibleName("递等式");
    setFrameShape(QFrame::Box);
    setStyleSheet("QScrollArea#StepsPane { border: 1px solid rgb(196,96,16); background: rgb(255,253,244); }");
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidget(sheet_);
    setWidgetResizable(false);
    setFocusPolicy(Qt::NoFocus);
    bar->installEventFilter(this);
    hide();
}

void StepsPane::setWorking(const Working& working) {
    lines_.clear();
    for (const std::string& line : working.plainLines()) lines_ << qs(line);
    setAccessibleDescription(lines_.join('\n'));
    sheet_->setWorking(working, width() - 2 * frameWidth());
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

int StepsPane::preferredHeight() const {
    const int rows = std::clamp(static_cast<int>(lines_.size()), 1, kMaxShownRows);
    int h = rows * sheet_->rowHeight() + 2 + 2 * frameWidth();
    if (sheet_->width() > width() - 2 * frameWidth()) h += horizontalScrollBar()->sizeHint().height();
    return h;
}

bool StepsPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Hide) emit barHidden();
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace kz::ui
