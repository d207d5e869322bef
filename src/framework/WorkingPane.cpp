#include "framework/WorkingPane.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "framework/Fonts.h"
#include "framework/ToolWindow.h"
#include "framework/UiSeam.h"

namespace kz::ui {

namespace {

const QColor kPaper(0xff, 0xfd, 0xf5);
constexpr int kMargin = 10;     // the paper's left margin
constexpr int kShownRules = 6;  // rules the pane shows before it scrolls

QRect pixels(const Twips& t) { return {t.left / 15, t.top / 15, t.width / 15, t.height / 15}; }

// The ruled paper inside the scroll area.
class PaperView : public QWidget {
public:
    PaperView(const WorkingPaper& paper, const std::vector<PaperRow>& rows, QWidget* parent)
        : QWidget(parent), paper_(paper), rows_(rows) {
        setObjectName("workingPaper");
    }
    void contentChanged() {
        // One empty rule below the working, as a page goes on.
        setMinimumSize(static_cast<int>(std::ceil(WorkingPaper::width(rows_))) + 2 * kMargin,
                       static_cast<int>(WorkingPaper::height(rows_) + paper_.pitch()));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), kPaper);
        paper_.paintRuling(p, rect());
        double y = 0;
        for (const PaperRow& r : rows_) {
            paper_.paintRow(p, r, QPointF(kMargin, y));
            y += r.height;
        }
    }

private:
    const WorkingPaper& paper_;
    const std::vector<PaperRow>& rows_;
};

QPushButton* paneButton(std::string_view caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(qs(caption), parent);
    b->setObjectName(name);
    b->setFont(labelFont());
    b->setAutoDefault(false);         // Enter keeps pressing Calculate
    b->setFocusPolicy(Qt::TabFocus);  // a click leaves the focus in the box being typed into
    return b;
}

}  // namespace

WorkingPane::WorkingPane(ToolWindow& window) : QWidget(&window), window_(window), model_(window.model()) {
    setObjectName("workingPane");
    toggle_ = static_cast<QPushButton*>(window.control(kWorkingToggle));
    toggle_->setCheckable(true);
    toggle_->setAutoDefault(false);
    toggle_->setFocusPolicy(Qt::TabFocus);

    scroll_ = new QScrollArea(this);
    scroll_->setWidgetResizable(true);
    auto* view = new PaperView(paper_, rows_, scroll_);
    view_ = view;
    view->setAccessibleName(qs(kWorkingCaption));
    scroll_->setWidget(view);
    scroll_->viewport()->setAutoFillBackground(true);
    QPalette pal = scroll_->viewport()->palette();
    pal.setColor(QPalette::Window, kPaper);
    scroll_->viewport()->setPalette(pal);
    copy_ = paneButton(kCopyWorkingCaption, "cmdCopyWorking", this);
    print_ = paneButton(kPrintWorkingCaption, "cmdPrintWorking", this);
    connect(copy_, &QPushButton::clicked, this, [this] { copyWorking(); });
    connect(print_, &QPushButton::clicked, this, [this] { print(); });

    auto* column = new QVBoxLayout(this);
    // The pane takes the window's width and never sets it.
    column->setSizeConstraint(QLayout::SetNoConstraint);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(scroll_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy_);
    buttons->addWidget(print_);
    column->addLayout(buttons);
    const int frame = 2 * scroll_->frameWidth();
    setFixedHeight(static_cast<int>(paper_.pitch()) * kShownRules + frame + 6 + copy_->sizeHint().height());
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    hide();

    if (auto* top = qobject_cast<QBoxLayout*>(window.layout())) {
        // Rows: the toggle in a row of its own under every row of the window
        // (in a row of buttons it would squeeze them), then the pane.
        byRows_ = true;
        auto* row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(toggle_);
        top->addLayout(row);
        top->addWidget(this);
    } else {
        placeToggleByTwips();
    }
}

void WorkingPane::placeToggleByTwips() {
    const WindowDecl& d = model_.decl();
    QSize size = window_.size();
    std::vector<QRect> taken;
    std::vector<QRect> buttons;
    for (const ControlDecl& c : d.controls) {
        if (c.addition || c.page >= 0) continue;  // a page's controls lie inside its tab strip
        for (const Twips& t : {c.at, model_.state(c.name).at}) {
            if (t.empty()) continue;
            taken.push_back(pixels(t));
            if (c.kind == ControlKind::Button) buttons.push_back(pixels(t));
        }
    }
    QSize want = toggle_->sizeHint();
    if (!buttons.empty()) {
        // The bottom row of buttons: those level with the lowest one.
        const QRect low = *std::max_element(buttons.begin(), buttons.end(),
                                            [](const QRect& a, const QRect& b) { return a.bottom() < b.bottom(); });
        std::vector<QRect> row;
        for (const QRect& b : buttons)
            if (b.top() <= low.bottom() && b.bottom() >= low.top()) row.push_back(b);
        std::sort(row.begin(), row.end(), [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
        const QRect last = row.back();
        const int gap = row.size() > 1 ? std::max(4, last.left() - row[row.size() - 2].right() - 1) : 8;
        // As wide as the last button, as high as the row's usual button (a
        // calculator's tall "+" is not one).
        int high = last.height();
        for (const QRect& b : row) high = std::min(high, b.height());
        want = QSize(std::max(want.width(), last.width()), high);
        const QRect beside(last.right() + 1 + gap, last.top(), want.width(), want.height());
        const bool free =
            beside.right() < size.width() - 4 &&
            std::none_of(taken.begin(), taken.end(), [&](const QRect& r) { return r.intersects(beside); });
        if (free) {
            toggle_->setGeometry(beside);
            ownSize_ = size;
            return;
        }
        // A row of its own, under the window's controls, right-aligned with the buttons.
        toggle_->setGeometry(QRect(QPoint(last.right() - want.width() + 1, size.height()), want));
    } else {
        toggle_->setGeometry(QRect(QPoint(size.width() - 8 - want.width(), size.height()), want));
    }
    size.rheight() += want.height() + 8;
    window_.setFixedSize(size);
    ownSize_ = size;
}

void WorkingPane::follow() {
    const bool shown = model_.workingShown();
    if (toggle_->isChecked() != shown) toggle_->setChecked(shown);
    if (model_.workingRevision() != revision_) {
        revision_ = model_.workingRevision();
        // The working belongs to the inputs of its Calculate: with a job,
        // those of the moment it started, not of the moment it came back.
        if (model_.busy()) {
            inputs_ = inputLines();
            waitingForJob_ = true;
        } else {
            if (!waitingForJob_) inputs_ = inputLines();
            waitingForJob_ = false;
        }
        refresh();
    }
    if (shown != open_) setOpen(shown);
}

void WorkingPane::refresh() {
    const Working& w = model_.working();
    // A working that goes on from the one shown (a tape) keeps its end in
    // view; a new one shows from its start.
    const auto& before = shownWorking_.blocks();
    const bool goesOn = !before.empty() && w.blocks().size() > before.size() &&
                        std::equal(before.begin(), before.end(), w.blocks().begin());
    shownWorking_ = w;
    rows_.clear();
    if (!w.empty()) rows_ = paper_.layOut(w);
    else if (!model_.workingNote().empty()) rows_.push_back(paper_.noteRow(qs(model_.workingNote())));
    static_cast<PaperView*>(view_)->contentChanged();
    // What the paper shows, for a screen reader.
    view_->setAccessibleDescription(w.empty() ? qs(model_.workingNote()) : qs(w.plainText()));
    // The scroll area hears of its paper's new size only through its parent,
    // the viewport: tell it now, so the ranges below are the new ones.
    QEvent relayout(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(scroll_, &relayout);
    copy_->setEnabled(!w.empty());
    print_->setEnabled(!w.empty());
    QScrollBar* bar = scroll_->verticalScrollBar();
    bar->setValue(goesOn ? bar->maximum() : 0);
    if (!goesOn) scroll_->horizontalScrollBar()->setValue(0);
}

void WorkingPane::setOpen(bool open) {
    open_ = open;
    if (byRows_) {
        setVisible(open);
        window_.layout()->activate();
    } else if (open) {
        setGeometry(8, ownSize_.height(), ownSize_.width() - 16, height());
        show();
        window_.setFixedSize(ownSize_.width(), ownSize_.height() + height() + 8);
    } else {
        hide();
        window_.setFixedSize(ownSize_);
    }
    if (!window_.isVisible()) return;
    // Growing downward must not push the pane off the screen; closing moves
    // the window back if the user left it where opening put it.
    if (open) {
        shiftedUp_ = 0;
        if (const QScreen* s = window_.screen()) {
            const QRect avail = s->availableGeometry(), frame = window_.frameGeometry();
            const int dy = std::min(frame.bottom() - avail.bottom(), frame.top() - avail.top());
            if (dy > 0) {
                window_.move(window_.pos() - QPoint(0, dy));
                shiftedUp_ = dy;
                shiftedTo_ = window_.pos();
            }
        }
    } else if (shiftedUp_ > 0) {
        if (window_.pos() == shiftedTo_) window_.move(window_.pos() + QPoint(0, shiftedUp_));
        shiftedUp_ = 0;
    }
}

std::vector<QString> WorkingPane::inputLines() const {
    std::vector<QString> lines;
    for (const ControlDecl& c : model_.decl().controls) {
        QWidget* w = window_.control(c.name);
        if (c.addition || !w || !w->isVisibleTo(&window_)) continue;
        const ControlState& s = model_.state(c.name);
        if (c.kind == ControlKind::Input || c.kind == ControlKind::Combo) {
            if (s.text.empty()) continue;
            // "被除数：" and "x=" name their boxes too; the line brings its own "：".
            QString name = w->accessibleName().trimmed();
            while (!name.isEmpty() && QString("：:＝=").contains(name.back())) name.chop(1);
            lines.push_back(name.isEmpty() ? qs(s.text) : name + QChar(0xFF1A) + qs(s.text));
        } else if ((c.kind == ControlKind::Option || c.kind == ControlKind::Check) && s.checked) {
            lines.push_back(qs(s.text).remove(u'&'));
        }
    }
    return lines;
}

void WorkingPane::copyWorking() {
    if (!model_.working().empty()) seam().setClipboardText(qs(model_.working().plainText()));
}

void WorkingPane::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(window_.windowTitle());
    QPrintDialog dialog(&printer, &window_);
    if (dialog.exec() == QDialog::Accepted) printWorking(printer);
}

bool WorkingPane::printWorking(QPrinter& printer) const {
    QPainter p;
    if (!p.begin(&printer)) return false;
    // Logical pixels, as on screen, so the paper's layout serves the page.
    const double scale = printer.resolution() / 96.0;
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const double width = area.width() / scale, height = area.height() / scale;
    p.scale(scale, scale);

    QFont title = songFont(16, true);
    title.setPixelSize(24);
    QFont body = songFont(12);
    body.setPixelSize(16);
    double y = 0;
    p.setPen(Qt::black);
    p.setFont(title);
    y += QFontMetricsF(title).ascent();
    p.drawText(QPointF(0, y), window_.windowTitle());
    y += QFontMetricsF(title).descent() + 12;
    p.setFont(body);
    const QFontMetricsF bm(body);
    for (const QString& line : inputs_) {
        p.drawText(QPointF(0, y + bm.ascent()), line);
        y += bm.lineSpacing() * 1.25;
    }
    y += 6;
    p.drawLine(QPointF(0, y), QPointF(width, y));
    y += 6;

    // A working wider than the page shrinks to its width.
    const double fit = std::min(1.0, width / (WorkingPaper::width(rows_) + 2 * kMargin));
    std::size_t next = 0;
    while (next < rows_.size()) {
        // The rows that fit below y; a fresh page takes at least one.
        std::size_t end = next;
        double used = 0;
        while (end < rows_.size() && y + (used + rows_[end].height) * fit <= height) used += rows_[end++].height;
        if (end == next) {
            if (y > 0) {
                printer.newPage();
                y = 0;
                continue;
            }
            used = rows_[end++].height;  // taller than a page: alone, cut at its foot
        }
        p.save();
        p.translate(0, y);
        p.scale(fit, fit);
        paper_.paintRuling(p, QRectF(0, 0, width / fit, used));
        double rowTop = 0;
        for (std::size_t i = next; i < end; ++i) {
            paper_.paintRow(p, rows_[i], QPointF(kMargin, rowTop));
            rowTop += rows_[i].height;
        }
        p.restore();
        next = end;
        y += used * fit;
    }
    return p.end();
}

}  // namespace kz::ui
