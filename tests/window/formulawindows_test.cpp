// What only the view of the formula and word-problem windows can get wrong:
// a letter typed into a box picks a figure or case before the box sees it,
// and the arrow keys walk the boxes in screen order past greyed ones.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "framework/windowmodel.h"
#include "windowtest.h"

using namespace kz;
using kz::test::child;
using kz::test::openForm;

class FormulaWindowsTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void init() {
        ui::WindowRegistry::instance().destroyAll();
        seam = {};
    }

    void focusStartsInTheTopBoxNotOnTheOptions() {
        for (const char* form : {"Form9", "Form10", "Form16", "Form17", "Form7", "Form19", "Form21", "Form22", "Form23",
                                 "Form39", "Form29", "Form30"}) {
            QWidget* w = openForm(form);
            QVERIFY(w);
            QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(w, "Text1"));
            ui::WindowRegistry::instance().destroyAll();
        }
    }

    void letterInABoxPicksTheFigureAndLeavesNoLetterBehind() {
        QWidget* w = openForm("Form9");
        QVERIFY(w);
        auto* r = child<QLineEdit>(w, "Text1");
        QCOMPARE(QApplication::focusWidget(), r);
        QTest::keyClicks(r, "5");
        QTest::keyClick(r, Qt::Key_Y);
        QVERIFY(child<QRadioButton>(w, "Option7")->isChecked());
        QCOMPARE(child<QLineEdit>(w, "Text4")->text(), QString(" S＝r·r·π"));
        QCOMPARE(r->text(), QString());
        QVERIFY(!child<QLineEdit>(w, "Text2")->isEnabled());
        QTest::keyClicks(r, "3");
        QTest::keyClick(r, Qt::Key_Return);
        QCOMPARE(child<QLineEdit>(w, "Text5")->text(), QString("28.26"));
        // The next box is greyed: Down leaves the focus where it is.
        QTest::keyClick(r, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), r);
    }

    void arrowsFollowTheScreenOrderOfTheTrainWindow() {
        QWidget* w = openForm("Form29");
        QVERIFY(w);
        QLineEdit* box = child<QLineEdit>(w, "Text1");
        box->setFocus();
        for (const char* next : {"Text3", "Text2", "Text4"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(w, next));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_H);
        QVERIFY(child<QRadioButton>(w, "Option2")->isChecked());
        QCOMPARE(child<QLineEdit>(w, "Text4")->text(), QString());
    }

    void copyShortcutKeepsTheFigureAndTheMeasures() {
        // Ctrl+C copies the selection; it is not the rectangle's letter key,
        // and must not wipe what the pupil typed.
        QWidget* w = openForm("Form10");
        auto* a = child<QLineEdit>(w, "Text1");
        QTest::keyClicks(a, "3");
        a->selectAll();
        QTest::keyClick(a, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(child<QRadioButton>(w, "Option1")->isChecked());
        QCOMPARE(a->text(), QString("3"));
    }
};

QTEST_MAIN(FormulaWindowsTest)
#include "formulawindows_test.moc"
