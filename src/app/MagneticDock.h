// The docking geometry fed from the desktop. On Windows the move and size
// messages of the registered windows go through it, so edges snap while the
// user drags. Where a window manager moves windows (X11 and others) the
// glued children follow every move and the snap comes when the move ends.
// Under Wayland a program cannot place its windows: docking does nothing.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "app/magneticwnd.h"

namespace kz::ui {

class MagneticDock : public QObject, public QAbstractNativeEventFilter, private DockPlatform {
    Q_OBJECT
public:
    enum class Mode { Messages, FollowMoves, Off };

    explicit MagneticDock(QObject* owner = nullptr);
    ~MagneticDock() override;

    Mode mode() const { return mode_; }
    // A window leaves the docking by itself when it is destroyed.
    bool addWindow(QWidget* window, QWidget* parent = nullptr);
    bool removeWindow(QWidget* window);
    void checkGlueing() { dock_.CheckGlueing(); }
    bool isGlued(QWidget* window) const { return dock_.isGlued(handleOf(window)); }
    // Puts a registered window where a drop at its present place would: on a
    // nearby edge, glued if that edge is its parent's.
    void settle(QWidget* window);

    // The same once the window manager has framed a window just shown: its
    // frame may have grown around it, away from the edge it was put on.
    void settleLater(QWidget* window, int attempts = 10);

    // How long a window must stay put before its move counts as ended.
    static constexpr int kMoveEndMs = 150;
    // How long a window manager may take to frame a window it was just given.
    static constexpr int kFramedMs = 300;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    // DockPlatform
    bool isWindow(WindowHandle w) const override;
    DockRect windowRect(WindowHandle w) const override;
    bool isMaximized(WindowHandle w) const override;
    DockRect workArea() const override;
    DockPoint cursor() const override;
    void moveWindows(const std::vector<DockMove>& moves) override;
    void watch(WindowHandle w) override;
    void unwatch(WindowHandle w) override;

    WindowHandle handleOf(const QWidget* w) const;
    QWidget* widgetOf(WindowHandle h) const;
    WindowHandle know(QWidget* w);
    void moved(WindowHandle h);
    void moveEnded();

    Mode mode_;
    QHash<WindowHandle, QPointer<QWidget>> known_;
    // Where we last put each window: a move that lands there is our own.
    QHash<WindowHandle, QPoint> placedByUs_;
    QHash<WindowHandle, QPoint> lastClient_;
    QList<QPointer<QWidget>> afterMove_;
    WindowHandle dragged_ = 0;
    QTimer moveEnd_;
    cMagneticWnd dock_;
};

}  // namespace kz::ui
