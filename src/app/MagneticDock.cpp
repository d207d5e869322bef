#include "app/MagneticDock.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <utility>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
static_assert(WMSZ_BOTTOMRIGHT - WMSZ_LEFT == static_cast<int>(kz::SizingEdge::BottomRight));
#endif

namespace kz::ui {

namespace {

MagneticDock::Mode modeOfPlatform() {
    const QString platform = QGuiApplication::platformName();
    if (platform == "windows") return MagneticDock::Mode::Messages;
    if (platform.startsWith("wayland")) return MagneticDock::Mode::Off;
    return MagneticDock::Mode::FollowMoves;
}

// The window's frame: the widget knows where it put the window at once, the
// window system knows the decoration (a widget's own frame figure keeps the
// decoration it saw at its last move, which may be none).
QRect frameOf(const QWidget* w) {
    if (const QWindow* window = w->windowHandle()) return w->geometry().marginsAdded(window->frameMargins());
    return w->frameGeometry();
}

DockRect toDock(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

#ifdef Q_OS_WIN
DockRect fromRect(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}
#endif

}  // namespace

MagneticDock::MagneticDock(QObject* owner) : QObject(owner), mode_(modeOfPlatform()), dock_(*this) {
    moveEnd_.setSingleShot(true);
    moveEnd_.setInterval(kMoveEndMs);
    connect(&moveEnd_, &QTimer::timeout, this, &MagneticDock::moveEnded);
#ifdef Q_OS_WIN
    if (mode_ == Mode::Messages) QCoreApplication::instance()->installNativeEventFilter(this);
#endif
}

// NOLINTNEXTLINE(modernize-use-equals-default): not empty on Windows.
MagneticDock::~MagneticDock() {
#ifdef Q_OS_WIN
    if (mode_ == Mode::Messages && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
#endif
}

WindowHandle MagneticDock::handleOf(const QWidget* w) const {
    if (!w) return 0;
#ifdef Q_OS_WIN
    // The messages name windows by their native handle.
    if (mode_ == Mode::Messages) return static_cast<WindowHandle>(w->winId());
#endif
    return reinterpret_cast<WindowHandle>(w);
}

QWidget* MagneticDock::widgetOf(WindowHandle h) const {
    auto it = known_.constFind(h);
    return it == known_.constEnd() ? nullptr : it.value().data();
}

WindowHandle MagneticDock::know(QWidget* w) {
    const WindowHandle h = handleOf(w);
    if (h && !known_.contains(h)) {
        known_.insert(h, w);
        lastClient_.insert(h, w->geometry().topLeft());
        // A destroyed window leaves the docking rather than stay as a stale rectangle.
        connect(w, &QObject::destroyed, this, [this, h] {
            dock_.RemoveWindow(h);
            known_.remove(h);
            placedByUs_.remove(h);
            lastClient_.remove(h);
            if (dragged_ == h) dragged_ = 0;
        });
    }
    return h;
}

bool MagneticDock::addWindow(QWidget* window, QWidget* parent) {
    if (!window || !window->isWindow() || (parent && !parent->isWindow())) return false;
    const WindowHandle h = know(window);
    return dock_.AddWindow(h, parent ? know(parent) : 0);
}

bool MagneticDock::removeWindow(QWidget* window) { return dock_.RemoveWindow(handleOf(window)); }

void MagneticDock::settle(QWidget* window) {
    const WindowHandle h = handleOf(window);
    if (mode_ == Mode::Off || !dock_.isRegistered(h)) return;
    const DockRect now = windowRect(h);
    const DockRect placed = dock_.drop(h, now);
    if (placed != now) moveWindows({{h, {placed.left, placed.top}}});
    dock_.exitSizeMove(h);
}

// ---- the desktop as the docking sees it ----

bool MagneticDock::isWindow(WindowHandle h) const { return widgetOf(h) != nullptr; }

DockRect MagneticDock::windowRect(WindowHandle h) const {
#ifdef Q_OS_WIN
    if (mode_ == Mode::Messages) {
        RECT r{};
        if (!GetWindowRect(reinterpret_cast<HWND>(h), &r)) return {};
        return fromRect(r);
    }
#endif
    QWidget* w = widgetOf(h);
    if (!w) return {};
    QRect r = frameOf(w);
    // The window manager may not have carried out our last move yet.
    if (auto it = placedByUs_.constFind(h); it != placedByUs_.constEnd()) r.moveTopLeft(it.value());
    return toDock(r);
}

bool MagneticDock::isMaximized(WindowHandle h) const {
#ifdef Q_OS_WIN
    if (mode_ == Mode::Messages) return IsZoomed(reinterpret_cast<HWND>(h)) != FALSE;
#endif
    QWidget* w = widgetOf(h);
    return w && w->isMaximized();
}

DockRect MagneticDock::workArea() const {
#ifdef Q_OS_WIN
    if (mode_ == Mode::Messages) {
        RECT r{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
        return fromRect(r);
    }
#endif
    QScreen* screen = nullptr;
    if (QWidget* w = widgetOf(dragged_)) screen = w->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? toDock(screen->availableGeometry()) : DockRect{};
}

DockPoint MagneticDock::cursor() const {
#ifdef Q_OS_WIN
    if (mode_ == Mode::Messages) {
        POINT p{};
        GetCursorPos(&p);
        return {static_cast<int>(p.x), static_cast<int>(p.y)};
    }
#endif
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

void MagneticDock::moveWindows(const std::vector<DockMove>& moves) {
#ifdef Q_OS_WIN
    if (mode_ == Mode::Messages) {
        HDWP batch = BeginDeferWindowPos(static_cast<int>(moves.size()));
        for (const DockMove& m : moves)
            if (batch)
                batch = DeferWindowPos(batch, reinterpret_cast<HWND>(m.window), nullptr, m.topLeft.x, m.topLeft.y, 0, 0,
                                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (batch) EndDeferWindowPos(batch);
        return;
    }
#endif
    for (const DockMove& m : moves) {
        QWidget* w = widgetOf(m.window);
        if (!w) continue;
        const QPoint to(m.topLeft.x, m.topLeft.y);
        placedByUs_.insert(m.window, to);
        w->move(to);  // a top-level window's position is its frame's
    }
}

void MagneticDock::watch(WindowHandle h) {
    if (mode_ != Mode::FollowMoves) return;  // Windows: the native filter sees every window
    if (QWidget* w = widgetOf(h)) w->installEventFilter(this);
}

void MagneticDock::unwatch(WindowHandle h) {
    if (QWidget* w = widgetOf(h)) w->removeEventFilter(this);
    if (dragged_ == h) {
        dragged_ = 0;
        moveEnd_.stop();
    }
}

// ---- where the window manager moves windows ----

bool MagneticDock::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move && mode_ == Mode::FollowMoves) {
        auto* w = qobject_cast<QWidget*>(watched);
        const WindowHandle h = handleOf(w);
        if (w && w->isVisible() && dock_.isRegistered(h)) moved(h);
    }
    return QObject::eventFilter(watched, event);
}

void MagneticDock::moved(WindowHandle h) {
    QWidget* w = widgetOf(h);
    // How far the window really went: its client area's travel, which a
    // frame appearing around it (the window manager taking it over) leaves alone.
    const QPoint client = w->geometry().topLeft();
    const QPoint travel = client - lastClient_.value(h, client);
    lastClient_.insert(h, client);
    const QRect frame = frameOf(w);
    if (auto it = placedByUs_.find(h); it != placedByUs_.end()) {
        if (it.value() == frame.topLeft()) return;  // our own move arriving
        placedByUs_.erase(it);                      // the user took it elsewhere
    }
    if (travel.isNull()) return;
    if (dragged_ != h) {
        if (dragged_) moveEnded();
        dragged_ = h;
        dock_.beginMoveFrom(h, toDock(frame.translated(-travel)));
    }
    dock_.follow(h, toDock(frame));
    moveEnd_.start();
}

void MagneticDock::settleLater(QWidget* window, int attempts) {
    QTimer::singleShot(kFramedMs, this, [this, attempts, w = QPointer<QWidget>(window)] {
        if (!w) return;
        // A move going on (the window manager placing a window is one) settles it when it ends.
        if (dragged_) afterMove_.push_back(w);
        else settle(w);
        // A busy window manager may frame the window, or its parent, later still.
        QWidget* parent = widgetOf(dock_.parentOf(handleOf(w)));
        const bool unframed = frameOf(w) == w->geometry() || (parent && frameOf(parent) == parent->geometry());
        if (unframed && attempts > 1) settleLater(w, attempts - 1);
    });
}

void MagneticDock::moveEnded() {
    moveEnd_.stop();
    const WindowHandle h = dragged_;
    dragged_ = 0;
    if (QWidget* w = widgetOf(h)) settle(w);
    const auto waiting = std::exchange(afterMove_, {});
    for (const QPointer<QWidget>& w : waiting)
        if (w) settle(w);
}

// ---- Windows: the move and size messages ----

bool MagneticDock::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) {
#ifdef Q_OS_WIN
    if (mode_ != Mode::Messages || eventType != "windows_generic_MSG") return false;
    const MSG* msg = static_cast<const MSG*>(message);
    const WindowHandle h = reinterpret_cast<WindowHandle>(msg->hwnd);
    if (!dock_.isRegistered(h)) return false;
    switch (msg->message) {
        case WM_ENTERSIZEMOVE: dock_.enterSizeMove(h); return false;
        case WM_EXITSIZEMOVE: dock_.exitSizeMove(h); return false;
        case WM_COMMAND: dock_.CheckGlueing(); return false;
        case WM_SYSCOMMAND: {
            const WPARAM command = msg->wParam & 0xFFF0;
            if (command == SC_RESTORE || command == SC_MINIMIZE) dock_.CheckGlueing();
            return false;
        }
        case WM_MOVING:
        case WM_SIZING: {
            // The default handling leaves the proposed rectangle alone, so
            // rewriting it here and answering for the window is the same.
            auto* r = reinterpret_cast<RECT*>(msg->lParam);
            DockRect p = fromRect(*r);
            if (msg->message == WM_MOVING) {
                dock_.moving(h, p);
            } else {
                if (msg->wParam < WMSZ_LEFT || msg->wParam > WMSZ_BOTTOMRIGHT) return false;
                dock_.sizing(h, static_cast<SizingEdge>(msg->wParam - WMSZ_LEFT), p);
            }
            *r = RECT{p.left, p.top, p.right, p.bottom};
            *result = TRUE;
            return true;
        }
        default: return false;
    }
#else
    (void)eventType;
    (void)message;
    (void)result;
    return false;
#endif
}

}  // namespace kz::ui
