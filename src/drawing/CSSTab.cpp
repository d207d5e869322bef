#include "drawing/CSSTab.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTabBar>
#include <QTabWidget>
#include <functional>

#include "drawing/MDC.h"

namespace kz::ui {

namespace {

// Mouse moves over the controls on the pages never reach the tab control
// itself (a widget without mouse tracking swallows them); the application's
// filters see every one, so the hot tab follows the mouse everywhere.
class MoveWatch : public QObject {
public:
    MoveWatch(QObject* parent, std::function<void(QWidget*, QPoint)> seen) : QObject(parent), seen_(std::move(seen)) {
        qApp->installEventFilter(this);
    }
    ~MoveWatch() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove && watched->isWidgetType())
            seen_(static_cast<QWidget*>(watched), static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return false;
    }

private:
    std::function<void(QWidget*, QPoint)> seen_;
};

}  // namespace

CSSTab::CSSTab(QObject* parent) : QObject(parent) {}

CSSTab::~CSSTab() {
    // As a child of its control this object goes while the control is being
    // destroyed (its tab bar already gone): then there is nothing to give back.
    if (tabs_ && !bar_) {
        tabs_ = nullptr;
        delete moveWatch_;
        return;
    }
    Detach();
}

drawing::TabRow CSSTab::row() const {
    drawing::TabRow r = row_;
    r.count = tabs_ ? tabs_->count() : 0;
    return r;
}

bool CSSTab::Attach(QTabWidget* tabs) {
    if (!tabs || tabs_) return false;
    tabs_ = tabs;
    bar_ = tabs->tabBar();
    // The tab bar keeps its place, so the pages stay where they were; it
    // only stops painting and its mouse input comes to us.
    scrollButtons_ = tabs->tabBar()->usesScrollButtons();
    tabs->tabBar()->setUsesScrollButtons(false);
    mouseTracking_ = tabs->hasMouseTracking();
    tabs->setMouseTracking(true);
    tabs->installEventFilter(this);
    bar_->installEventFilter(this);
    moveWatch_ = new MoveWatch(this, [this](QWidget* w, QPoint global) {
        if (tabs_ && w != tabs_ && tabs_->isAncestorOf(w)) hover(tabs_->mapFromGlobal(global));
    });
    changed_ = connect(tabs, &QTabWidget::currentChanged, this, [this] { redraw(true); });
    hot_.reset();
    rebuild();
    tabs->update();
    return true;
}

bool CSSTab::Detach() {
    if (!tabs_) return false;
    QTabWidget* tabs = tabs_;
    tabs_ = nullptr;
    disconnect(changed_);
    tabs->removeEventFilter(this);
    delete moveWatch_;
    tabs->setMouseTracking(mouseTracking_);
    if (bar_) {
        bar_->removeEventFilter(this);
        static_cast<QTabBar*>(bar_.data())->setUsesScrollButtons(scrollButtons_);
        bar_->update();
    }
    bar_ = nullptr;
    background_ = QImage();
    composition_ = QImage();
    hot_.reset();
    tabs->update();
    return true;
}

void CSSTab::setTabWidth(int pixels) {
    row_.tabWidth = drawing::clampTabSize(pixels);
    if (tabs_) redraw(true);
}

void CSSTab::setTabHeight(int pixels) {
    row_.tabHeight = drawing::clampTabSize(pixels);
    if (tabs_) redraw(true);
}

bool CSSTab::Focus() const { return tabs_ && tabs_->hasFocus(); }

void CSSTab::rebuild() {
    const int w = tabs_->width(), h = tabs_->height();
    const qreal dpr = tabs_->devicePixelRatioF();
    background_ = createSurface(w, h, dpr);
    composition_ = createSurface(w, h, dpr);
    font_ = tabs_->font();
    font_.setPixelSize(12);  // a 14-pixel cell
    font_.setWeight(QFont::Normal);
    if (!background_.isNull()) {
        QPainter p(&background_);
        p.setFont(font_);
        emit DrawBackGround(&p, w, h);
    }
    redraw(false);
}

void CSSTab::redraw(bool present) {
    if (!tabs_) return;
    if (!composition_.isNull() && composition_.devicePixelRatio() != tabs_->devicePixelRatioF()) {
        rebuild();  // moved to a screen of another scale
        if (present) tabs_->update();
        return;
    }
    if (composition_.isNull()) return;
    {
        QPainter p(&composition_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, background_);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setFont(font_);
        p.setPen(Qt::black);
        const drawing::TabRow r = row();
        for (int i = 0; i < r.count; ++i)
            emit DrawTab(&p, i, i == hot_.hot() ? 1 : 0, i * r.tabWidth, 0, r.tabWidth, r.tabHeight);
    }
    if (present) tabs_->update();
}

void CSSTab::hover(const QPoint& at) {
    if (hot_.move(row(), at.x(), at.y())) redraw(true);
}

bool CSSTab::eventFilter(QObject* watched, QEvent* event) {
    if (!tabs_ || (watched != tabs_ && watched != bar_)) return false;
    const bool onBar = watched == bar_;
    // Mouse positions in the control's coordinates, wherever they arrived.
    auto at = [&](QEvent* e) {
        const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
        return onBar ? bar_->mapTo(tabs_, p) : p;
    };
    switch (event->type()) {
        case QEvent::Paint: {
            if (onBar) return true;  // the row is in our composition
            QPainter p(tabs_);
            if (!composition_.isNull()) p.drawImage(0, 0, composition_);
            return true;
        }
        case QEvent::Resize:
            // A widget gets its pending resize when first shown, with the size it already had.
            if (!onBar && (composition_.isNull() || composition_.deviceIndependentSize().toSize() != tabs_->size()))
                rebuild();
            return false;
        case QEvent::FocusIn:
        case QEvent::FocusOut: redraw(true); return false;
        case QEvent::MouseMove: hover(at(event)); return true;
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            const drawing::MouseButton b = e->button() == Qt::LeftButton    ? drawing::MouseButton::Left
                                           : e->button() == Qt::RightButton ? drawing::MouseButton::Right
                                                                            : drawing::MouseButton::Middle;
            const QPoint p = at(event);
            const drawing::ClickAction act = drawing::clickAt(row(), b, p.x(), p.y());
            // Focus first: an owner that answers the page change by moving the
            // focus into the page then has the last word.
            if (act.focus) tabs_->setFocus(Qt::MouseFocusReason);
            if (act.select != drawing::kNoTab) tabs_->setCurrentIndex(act.select);
            return true;
        }
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: return true;
        case QEvent::Leave:
            // Leaving the tab bar for the rest of the control is no leave.
            if (!onBar && hot_.leave()) redraw(true);
            return false;
        default: return false;
    }
}

}  // namespace kz::ui
