// What only the view of the number windows can get wrong: the pocket
// calculator's grid and keyboard focus, and a 25-digit box shown whole.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "framework/windowmodel.h"
#include "windowtest.h"

using namespace kz;
using kz::test::child;
using kz::test::openForm;

class NumberWindowsTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void init() {
        ui::WindowRegistry::instance().destroyAll();
        seam = {};
    }

    void calculatorGridAndEnterAfterAClick() {
        QWidget* w = openForm("Form5");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("标准计算器"));
        auto* plus = child<QPushButton>(w, "cmdAdd");
        auto* three = child<QPushButton>(w, "cmdNum(3)");
        auto* equal = child<QPushButton>(w, "cmdEqual");
        // "＋" reaches from the row of 3 down to the row of ＝.
        QCOMPARE(plus->geometry().top(), three->geometry().top());
        QCOMPARE(plus->geometry().bottom(), equal->geometry().bottom());
        QCOMPARE(QApplication::focusWidget(), equal);
        QTest::mouseClick(child<QPushButton>(w, "cmdNum(2)"), Qt::LeftButton);
        QTest::mouseClick(plus, Qt::LeftButton);
        QTest::mouseClick(three, Qt::LeftButton);
        // Enter after a click means ＝, not the clicked digit again.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        auto* display = child<QLineEdit>(w, "Text1");
        QCOMPARE(display->text(), QString("5."));
        QTest::keyClicks(QApplication::focusWidget(), "9/0=");
        QCOMPARE(seam.messages.size(), size_t(1));
        QCOMPARE(seam.messages[0], (Message{"除数不能为零！", "错误", MessageIcon::Error}));
        QCOMPARE(display->text(), QString("0"));
        QTest::keyClicks(QApplication::focusWidget(), "7");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(w->isVisible());  // Esc clears; it does not close the window
        QCOMPARE(display->text(), QString("0"));
    }

    void factorizationBoxShowsAllTwentyFiveDigits() {
        QWidget* w = openForm("Form40");
        auto* box = child<QLineEdit>(w, "Text1");
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, "9999999999999999999999999");
        const int needed = box->fontMetrics().horizontalAdvance(box->text());
        QVERIFY2(needed < box->contentsRect().width() - 4, qPrintable(QString::number(needed)));
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_COMPARE(test::shownText(child<QPlainTextEdit>(w, "Text2")),
                     QString("3*3*41*271*21401*25601*182521213001"));
        QVERIFY(child<QPushButton>(w, "Command1")->isEnabled());
    }
};

QTEST_MAIN(NumberWindowsTest)
#include "numberwindows_test.moc"
