// The floating ball: where it starts, dragging and the edge rule on release,
// the bar glued to its left side, the menu's commands, and "退出".
#include <QAction>
#include <QEventLoop>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include "app/FloatingBall.h"
#include "calc/CalcBar.h"
#include "windowtest.h"

using namespace kz;

class BallTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

    ui::FloatingBall* ball() { return qobject_cast<ui::FloatingBall*>(test::openForm("Form0")); }

    static QRect available(QWidget* w) { return w->screen()->availableGeometry(); }

    // A mouse event at a screen position, as the platform delivers it.
    static void mouse(QWidget* w, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, w->mapFromGlobal(global), global, button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    // Presses at `grab` inside the ball, moves the cursor by dy, releases there.
    static void drag(QWidget* w, QPoint grab, int dy) {
        const QPoint at = w->mapToGlobal(grab);
        mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        mouse(w, QEvent::MouseMove, at + QPoint(0, dy / 2), Qt::NoButton, Qt::LeftButton);
        mouse(w, QEvent::MouseMove, at + QPoint(3, dy), Qt::NoButton, Qt::LeftButton);
        // The ball has followed the cursor, so the release is over it.
        mouse(w, QEvent::MouseButtonRelease, at + QPoint(3, dy), Qt::LeftButton, Qt::NoButton);
    }
    static void expectBarBeside(ui::FloatingBall* b) {
        QVERIFY(b->bar());
        QCOMPARE(b->bar()->x() + b->bar()->width(), b->x());
        QCOMPARE(b->bar()->y(), b->y());
    }

private slots:
    void initTestCase() { test::setUpProgram(seam); }

    void startsFlushRightThreeQuartersDownWithItsBarHidden() {
        ui::FloatingBall* b = ball();
        QVERIFY(b);
        QCOMPARE(b->objectName(), QString("Form0"));
        QVERIFY(b->windowFlags().testFlags(Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint | Qt::Tool));
        QCOMPARE(b->size(), QSize(34, 50));
        const QRect screen = b->screen()->geometry();
        QCOMPARE(b->geometry().right(), available(b).right());
        QCOMPARE(b->y(), screen.y() + screen.height() * 3 / 4);
        QVERIFY(b->bar());
        QVERIFY(!b->bar()->isVisible());
        expectBarBeside(b);
        QVERIFY(!QApplication::quitOnLastWindowClosed());
    }

    void draggingMovesItVerticallyAndReleaseKeepsItInTheWorkArea() {
        ui::FloatingBall* b = ball();
        const int right = b->geometry().right();

        // While the button is down the ball follows the cursor, even off the screen.
        const QPoint grab = b->mapToGlobal(QPoint(10, 20));
        const int top = b->y();
        mouse(b, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        mouse(b, QEvent::MouseMove, grab + QPoint(-15, -100), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(b->y(), top - 100);
        QCOMPARE(b->geometry().right(), right);
        expectBarBeside(b);
        mouse(b, QEvent::MouseMove, QPoint(grab.x(), 20 - 40), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(b->y(), -40);
        mouse(b, QEvent::MouseButtonRelease, QPoint(grab.x(), 20 - 40), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(b->y(), available(b).top());
        expectBarBeside(b);

        drag(b, {10, 20}, 5000);
        QCOMPARE(b->geometry().bottom(), available(b).bottom());
        QCOMPARE(b->geometry().right(), right);
        expectBarBeside(b);

        // A click, also at the end of a drag, shows the bar beside the ball.
        b->bar()->hide();
        drag(b, {10, 20}, -200);
        QCOMPARE(b->geometry().bottom(), available(b).bottom() - 200);
        QVERIFY(b->bar()->isVisible());
        expectBarBeside(b);
    }

    void theMenuHasItsFiveCommandsAndASeparator() {
        QMenu* menu = ball()->menu();
        QStringList texts;
        for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QString("-") : a->text());
        QCOMPARE(texts, (QStringList{"展开计算栏", "打开主面板", "计算语法", "-", "关于", "退出"}));
    }

    void menuCommandsOpenTheirWindowsOnce() {
        ui::FloatingBall* b = ball();
        auto command = [&](const char* text) {
            for (QAction* a : b->menu()->actions())
                if (a->text() == text) a->trigger();
        };
        b->bar()->hide();
        command("展开计算栏");
        QVERIFY(b->bar()->isVisible());

        command("打开主面板");
        QWidget* panel = ui::WindowRegistry::instance().existing("Form2");
        QVERIFY(panel && panel->isVisible());
        command("打开主面板");
        QCOMPARE(ui::WindowRegistry::instance().existing("Form2"), panel);
        int panels = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "Form2") ++panels;
        QCOMPARE(panels, 1);

        command("计算语法");
        QVERIFY(ui::WindowRegistry::instance().existing("Form15")->isVisible());
        command("关于");
        QVERIFY(ui::WindowRegistry::instance().existing("Form4")->isVisible());
    }

    void itHasANameAndItsMenuOpensFromTheKeyboard_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("opens");
        QTest::newRow("Menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier) << true;
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << true;
        QTest::newRow("F10 alone") << int(Qt::Key_F10) << int(Qt::NoModifier) << false;
        QTest::newRow("Ctrl+Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier | Qt::ControlModifier) << false;
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << false;
    }
    void itHasANameAndItsMenuOpensFromTheKeyboard() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, opens);
        ui::FloatingBall* b = ball();
        QVERIFY(!b->accessibleName().isEmpty());
        QVERIFY(b->focusPolicy() & Qt::TabFocus);
        bool shown = false;
        // The menu runs its own loop; look at it from inside and close it.
        QTimer::singleShot(50, b, [&] {
            shown = b->menu()->isVisible();
            b->menu()->close();
        });
        QTest::keyClick(b, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (!opens) QTest::qWait(100);
        QCOMPARE(shown, opens);
        QVERIFY(!b->menu()->isVisible());
    }

    void itCannotBeClosed() {
        ui::FloatingBall* b = ball();
        QVERIFY(!b->close());
        QVERIFY(b->isVisible());
    }

    // Last: it ends the event loop for good.
    void exitEndsTheProgramAtOnceWithCodeZero() {
        ui::FloatingBall* b = ball();
        QWidget* panel = test::openForm("Form2");
        panel->installEventFilter(this);
        QEventLoop loop;
        QTimer::singleShot(0, b, [b] {
            for (QAction* a : b->menu()->actions())
                if (a->text() == "退出") a->trigger();
        });
        QCOMPARE(loop.exec(), 0);
        QCOMPARE(closeEvents, 0);  // no window went through its close step
        QVERIFY(panel->isVisible());
    }

protected:
    int closeEvents = 0;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Close) ++closeEvents;
        return QObject::eventFilter(o, e);
    }
};

QTEST_MAIN(BallTest)
#include "ball_test.moc"
