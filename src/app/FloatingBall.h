#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "app/ballrules.h"
#include "calc/CalcBar.h"

class QMenu;

namespace kz::ui {

// Form0: the resident window after the splash. It sits on the right edge above
// other windows, moves up and down when dragged, pops out the calculation bar
// on a click and carries it along, and offers the program's commands on its
// right-click menu. The program ends only through that menu's "退出".
class FloatingBall : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 34;
    static constexpr int kHeight = 50;

    // The menu's command ids, in menu order.
    enum Command { OpenBar = 1, OpenPanel = 2, OpenSyntaxCard = 3, OpenAbout = 4, Exit = 5 };

    FloatingBall();
    ~FloatingBall() override;

    // The bar exists, hidden or shown, from the ball's first show on.
    CalcBar* bar() const { return bar_; }
    QMenu* menu() const { return menu_; }

public slots:
    void runCommand(int command);
    void showBar();

protected:
    void showEvent(QShowEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void ensureBar();
    void placeBar();
    PixelRect screenRect() const;
    PixelRect availableRect() const;

    QPixmap picture_;
    QMenu* menu_;
    QPointer<CalcBar> bar_;
    bool barWanted_ = false;  // asked for before the ball was on the screen
    bool dragging_ = false;
    int grabY_ = 0;
};

}  // namespace kz::ui
