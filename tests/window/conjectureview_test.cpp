// The conjecture explorer as the program shows it: the skinned tab strip,
// and a click on a tab leaving Enter and the focus with the new page.
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "drawing/CSSTab.h"
#include "windowtest.h"

using namespace kz;

class ConjectureViewTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() { test::setUpProgram(seam); }

    void clickingATabMovesEnterAndTheFocus() {
        QWidget* w = test::openForm("Form43");
        QVERIFY(w);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto* tabs = test::child<QTabWidget>(w, "SSTab1");
        QVERIFY(tabs->findChild<ui::CSSTab*>());
        QCOMPARE(tabs->currentIndex(), 2);
        QTRY_VERIFY(test::child<QLineEdit>(w, "Text3")->hasFocus());
        QVERIFY(test::child<QPushButton>(w, "Command3")->isDefault());

        QTest::mouseClick(tabs, Qt::LeftButton, {}, {350, 10});  // the fourth cell
        QCOMPARE(tabs->currentIndex(), 3);
        QTRY_VERIFY(test::child<QLineEdit>(w, "Text4")->hasFocus());
        QVERIFY(test::child<QPushButton>(w, "Command4")->isDefault());
        QVERIFY(!test::child<QPushButton>(w, "Command3")->isDefault());

        QTest::keyClicks(test::child<QLineEdit>(w, "Text4"), "6");
        QTest::keyClick(test::child<QLineEdit>(w, "Text4"), Qt::Key_Return);
        QCOMPARE(test::shownText(test::child<QWidget>(w, "Text8")), QString("计算过程：\n6>3>10>5>16>8>4>2>1"));
    }
};

QTEST_MAIN(ConjectureViewTest)
#include "conjectureview_test.moc"
