// The common behaviour of tool windows, seen through the GCD and LCM windows.
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "windowtest.h"

using namespace kz;
using kz::test::child;
using kz::test::openForm;

class ToolWindowTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

    void reset() {
        ui::WindowRegistry::instance().destroyAll();
        seam = {};
    }

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void init() { reset(); }

    void gcdOfTwelveAndEighteenAndCopy() {
        QWidget* w = openForm("Form12");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("最大公因数"));
        auto* row1 = child<QLineEdit>(w, "Text2");
        auto* row2 = child<QLineEdit>(w, "Text1");
        QCOMPARE(QApplication::focusWidget(), row1);  // focus starts in the row-1 box
        QTest::keyClicks(row1, "12");
        QTest::keyClick(row1, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), row2);
        QTest::keyClicks(row2, "18");
        QTest::keyClick(row2, Qt::Key_Return);  // Enter presses Calculate
        QCOMPARE(child<QLabel>(w, "Label4")->text(), QString("两数的最大公因数为"));
        QCOMPARE(child<QLabel>(w, "Label1")->text(), QString("6"));
        QTest::mouseClick(child<QPushButton>(w, "Command3"), Qt::LeftButton);
        QCOMPARE(seam.clipboard, QString("6"));
        QVERIFY(seam.messages.empty());
    }

    void copyBeforeAResultShowsTheMessage() {
        QWidget* w = openForm("Form12");
        seam.clipboard = "before";
        QTest::mouseClick(child<QPushButton>(w, "Command3"), Qt::LeftButton);
        QCOMPARE(seam.messages.size(), size_t(1));
        QCOMPARE(seam.messages[0], (Message{"计算结果出来后才可以复制！", "错误", MessageIcon::Error}));
        QCOMPARE(seam.clipboardWrites, 0);
    }

    void arrowChainEndsAtTheTopAndBottom() {
        QWidget* w = openForm("Form13");
        auto* top = child<QLineEdit>(w, "Text1");
        auto* bottom = child<QLineEdit>(w, "Text2");
        top->setFocus();
        QTest::keyClick(top, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), top);
        QTest::keyClick(top, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), bottom);
        QTest::keyClick(bottom, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), bottom);
        QTest::keyClick(bottom, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), top);
    }

    void filterRunsOnTypingPastingAndProgramText() {
        QWidget* w = openForm("Form12");
        auto* box = child<QLineEdit>(w, "Text2");
        QTest::keyClicks(box, "1a-2.3");
        QCOMPARE(box->text(), QString("123"));
        box->setText("-4x5中");  // a paste or program assignment goes through the same filter
        QCOMPARE(box->text(), QString("-45"));
        box->setText("123456789012345");
        QCOMPARE(box->text(), QString("1234567890"));  // ten characters at most
        auto* lcm = child<QLineEdit>(openForm("Form13"), "Text1");
        QTest::keyClicks(lcm, "1234");
        QCOMPARE(lcm->text(), QString("123"));
    }

    void mendedGcdForLargeInputs() {
        QWidget* w = openForm("Form12");
        child<QLineEdit>(w, "Text2")->setText("100000");
        child<QLineEdit>(w, "Text1")->setText("70000");
        child<QPushButton>(w, "Command1")->click();
        QCOMPARE(child<QLabel>(w, "Label1")->text(), QString("10000"));
        QVERIFY(child<QPushButton>(w, "Command3")->isEnabled());
        QVERIFY(seam.messages.empty());
    }

    void nonPositiveGcdChangesNothing() {
        QWidget* w = openForm("Form12");
        child<QLineEdit>(w, "Text2")->setText("-12");
        child<QLineEdit>(w, "Text1")->setText("18");
        child<QPushButton>(w, "Command1")->click();
        QCOMPARE(child<QLabel>(w, "Label4")->text(), QString("请输入两个自然数"));
        QCOMPARE(child<QLabel>(w, "Label1")->text(), QString());
        QVERIFY(seam.messages.empty());
    }

    void rejectedLcmDisablesCopyUntilCalculateOrClear() {
        QWidget* w = openForm("Form13");
        auto* copy = child<QPushButton>(w, "Command3");
        auto* a = child<QLineEdit>(w, "Text1");
        auto* b = child<QLineEdit>(w, "Text2");
        a->setText("4");
        b->setText("6");
        child<QPushButton>(w, "Command1")->click();
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QString("12"));
        b->setText("0");
        child<QPushButton>(w, "Command1")->click();
        QCOMPARE(seam.messages.size(), size_t(1));  // one clear message, not two
        QCOMPARE(child<QLabel>(w, "Label1")->text(), QString("请输入两个自然数"));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QString());  // no stale number under a caption
        QVERIFY(!copy->isEnabled());
        child<QPushButton>(w, "Command2")->click();
        QVERIFY(copy->isEnabled());
        QCOMPARE(a->text(), QString());
        b->setText("0");
        child<QPushButton>(w, "Command1")->click();
        QVERIFY(!copy->isEnabled());
        a->setText("200");
        b->setText("300");
        child<QPushButton>(w, "Command1")->click();
        QVERIFY(copy->isEnabled());
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QString("600"));
    }

    void singleInstanceAndFreshAfterClose() {
        QWidget* first = openForm("Form12");
        child<QLineEdit>(first, "Text2")->setText("42");
        QWidget* lcm = openForm("Form13");
        QCOMPARE(openForm("Form12"), first);  // brought to the front, unchanged
        QCOMPARE(child<QLineEdit>(first, "Text2")->text(), QString("42"));
        QPointer<QWidget> guard(first);
        first->close();
        QTRY_VERIFY(guard.isNull());
        QCOMPARE(openForm("Form13"), lcm);  // closing one window leaves the other alone
        QWidget* fresh = openForm("Form12");
        QCOMPARE(child<QLineEdit>(fresh, "Text2")->text(), QString());
        QCOMPARE(child<QLabel>(fresh, "Label4")->text(), QString("请输入两个自然数"));
    }

    void escapeDoesNotCloseAToolWindow() {
        QWidget* w = openForm("Form12");
        QTest::keyClick(child<QLineEdit>(w, "Text2"), Qt::Key_Escape);
        QVERIFY(w->isVisible());
    }

    void inputBoxesHaveAccessibleNames() {
        QWidget* w = openForm("Form12");
        for (auto* e : w->findChildren<QLineEdit*>()) QVERIFY(!e->accessibleName().isEmpty());
    }
};

QTEST_MAIN(ToolWindowTest)
#include "toolwindow_test.moc"
