#include "app/FloatingBall.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <utility>

#include "app/application.h"
#include "app/version.h"
#include "calc/CalcBar.h"
#include "framework/Pictures.h"
#include "framework/UiSeam.h"
#include "framework/WindowRegistry.h"

namespace kz::ui {

namespace {
PixelRect pixels(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

Credits credits() {
    std::string name = std::string(kProductName) + " " + std::string(kVersion) + " 版";
    return {std::move(name), shortText("credit.company"), shortText("credit.author")};
}
}  // namespace

FloatingBall::FloatingBall() : picture_(picture(":/resources/images/ball.png")) {
    setObjectName("Form0");
    setWindowTitle(qs(kProductName));
    // A picture says nothing to a screen reader; the name and description do.
    setAccessibleName("悬浮球");
    setAccessibleDescription("单击展开计算栏；右键、菜单键或 Shift+F10 打开菜单");
    // Keys reach it once it is active, so the menu opens from the keyboard too.
    setFocusPolicy(Qt::StrongFocus);
    // Topmost, undecorated and without a taskbar button.
    setWindowFlags(Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint | Qt::Tool);
    // Appearing, it must not take the focus: a bar shown beside it at
    // start-up would lose it and step aside.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kWidth, kHeight);
    // From now on the program ends only through the menu.
    QApplication::setQuitOnLastWindowClosed(false);

    menu_ = new QMenu(this);
    menu_->setObjectName("menu");
    const std::pair<Command, const char*> items[] = {{OpenBar, "展开计算栏"},
                                                     {OpenPanel, "打开主面板"},
                                                     {OpenSyntaxCard, "计算语法"},
                                                     {OpenAbout, "关于"},
                                                     {Exit, "退出"}};
    for (const auto& [id, text] : items) {
        if (id == OpenAbout) menu_->addSeparator();
        QAction* a = menu_->addAction(text);
        a->setData(static_cast<int>(id));
        connect(a, &QAction::triggered, this, [this, id = id] { runCommand(id); });
    }

    const PixelPoint start = ballStart(screenRect(), availableRect(), kWidth, kHeight);
    move(start.x, start.y);
}

FloatingBall::~FloatingBall() {
    if (bar_) {
        disconnect(bar_, nullptr, this, nullptr);
        delete bar_.data();
    }
}

PixelRect FloatingBall::screenRect() const {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? pixels(s->geometry()) : PixelRect{};
}

PixelRect FloatingBall::availableRect() const {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? pixels(s->availableGeometry()) : PixelRect{};
}

void FloatingBall::ensureBar() {
    if (bar_) return;
    bar_ = new CalcBar(expressionEvaluator(), credits());
    // A closed bar is made again at once, hidden, which empties the variables.
    connect(bar_, &QObject::destroyed, this,
            [this] { QMetaObject::invokeMethod(this, &FloatingBall::ensureBar, Qt::QueuedConnection); });
    placeBar();
}

void FloatingBall::placeBar() {
    if (bar_) bar_->move(x() - bar_->width(), y());
}

void FloatingBall::showBar() {
    ensureBar();
    placeBar();
    // Before the ball is on the screen the window manager is still busy with
    // it; the bar comes once the ball shows.
    if (!isVisible() || !windowHandle() || !windowHandle()->isExposed()) {
        barWanted_ = true;
        return;
    }
    bringToFront(bar_);
}

void FloatingBall::runCommand(int command) {
    auto& registry = WindowRegistry::instance();
    switch (command) {
        case OpenBar: showBar(); break;
        case OpenPanel: registry.open("Form2"); break;
        case OpenSyntaxCard: registry.open("Form15"); break;
        case OpenAbout: registry.open("Form4"); break;
        case Exit:
            // At once: no window is closed, so no window's unload step runs.
            QCoreApplication::exit(0);
            break;
        default: break;
    }
}

void FloatingBall::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    ensureBar();
}

void FloatingBall::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    placeBar();  // the bar's top always equals the ball's
}

void FloatingBall::closeEvent(QCloseEvent* e) {
    // It has no close box; Alt+F4 must not leave the program without a way
    // out. Only the end of the desktop session may close it.
#ifndef QT_NO_SESSIONMANAGER
    if (qApp->isSavingSession()) {
        e->accept();
        return;
    }
#endif
    e->ignore();
}

void FloatingBall::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawPixmap(rect(), picture_);
    if (std::exchange(barWanted_, false)) QMetaObject::invokeMethod(this, &FloatingBall::showBar, Qt::QueuedConnection);
}

void FloatingBall::keyPressEvent(QKeyEvent* e) {
    const bool menuKey = e->key() == Qt::Key_Menu ||
                         (e->key() == Qt::Key_F10 && (e->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier);
    if (!menuKey) {
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
    dragging_ = false;
    // Beside the ball, which sits at the right edge; the menu keeps itself on the screen.
    menu_->exec(mapToGlobal(QPoint(0, height())));
}

void FloatingBall::mousePressEvent(QMouseEvent* e) {
    grabY_ = qRound(e->position().y());
    if (e->button() == Qt::RightButton) {
        // The menu takes the release, so no drag may be left pending after it.
        dragging_ = false;
        menu_->exec(e->globalPosition().toPoint());
        return;
    }
    dragging_ = true;
}

void FloatingBall::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return;
    const PixelPoint p = ballDragged(screenRect(), availableRect(), width(), qRound(e->globalPosition().y()), grabY_);
    move(p.x, p.y);
}

void FloatingBall::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    dragging_ = false;
    const PixelPoint p = ballSettled(screenRect(), availableRect(), pixels(geometry()));
    move(p.x, p.y);
    if (click) showBar();
}

}  // namespace kz::ui
