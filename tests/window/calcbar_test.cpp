// The calculation bar beside the ball: the ans shortcut, Calculate's enabled
// state, Enter, hiding when another window becomes active, and a close that
// empties the variables but keeps ans.
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/FloatingBall.h"
#include "app/application.h"
#include "calc/CalcBar.h"
#include "calc/StepsPane.h"
#include "windowtest.h"

using namespace kz;

class CalcBarTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;
    QTemporaryDir workDir;

    ui::FloatingBall* ball() { return qobject_cast<ui::FloatingBall*>(test::openForm("Form0")); }

    // The bar as a click on the ball shows it, emptied.
    ui::CalcBar* shownBar() {
        ui::FloatingBall* b = ball();
        b->showBar();
        ui::CalcBar* bar = b->bar();
        (void)QTest::qWaitForWindowActive(bar);
        bar->entry()->clear();
        return bar;
    }

    static void enter(ui::CalcBar* bar, const QString& expression) {
        bar->entry()->clear();
        QTest::keyClicks(bar->entry(), expression);
        QTest::keyClick(bar->entry(), Qt::Key_Return);
    }

private slots:
    void initTestCase() {
        test::setUpProgram(seam);
        // Names need a constants file; the bar finds it in the working directory.
        QVERIFY(workDir.isValid());
        QFile csd(workDir.filePath("constants.csd"));
        QVERIFY(csd.open(QIODevice::WriteOnly));
        csd.write("g,9.8\n");
        csd.close();
        QVERIFY(QDir::setCurrent(workDir.path()));
    }

    void aFreshBarIsHiddenBesideTheBallWithCalculateEnabled() {
        ui::FloatingBall* b = ball();
        ui::CalcBar* bar = b->bar();
        QVERIFY(bar);
        QVERIFY(!bar->isVisible());
        QCOMPARE(bar->objectName(), QString("Form01"));
        QVERIFY(bar->windowFlags().testFlags(Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint | Qt::Tool));
        QCOMPARE(bar->size(), QSize(266, 62));
        QCOMPARE(bar->entry()->text(), QString());
        QVERIFY(bar->calculateButton()->isEnabled());
        QCOMPARE(bar->calculateButton()->text(), QString("计算"));
        QCOMPARE(bar->entry()->toolTip(), QString("请在此输入需要计算的表达式"));
        QCOMPARE(test::child<QLabel>(bar, "Label1")->text(), QString("="));
        QVERIFY(bar->answer()->isReadOnly());
        // Calculate on the empty entry of a fresh bar: the evaluator's general error.
        bar->calculateButton()->click();
        QCOMPARE(bar->answer()->text(), QString("发生错误！\r\n"));
    }

    void anOperatorAloneContinuesFromAns_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("entry");
        QTest::newRow("plus") << "+"
                              << "ans+";
        QTest::newRow("minus stays a sign") << "-"
                                            << "-";
        QTest::newRow("then more") << "+2"
                                   << "ans+2";
    }
    void anOperatorAloneContinuesFromAns() {
        QFETCH(QString, typed);
        QFETCH(QString, entry);
        ui::CalcBar* bar = shownBar();
        QTest::keyClicks(bar->entry(), typed);
        QCOMPARE(bar->entry()->text(), entry);
        QCOMPARE(bar->entry()->cursorPosition(), int(entry.size()));
    }

    void enterComputesAndAnEmptyEntryDoesNothing() {
        ui::CalcBar* bar = shownBar();
        enter(bar, "1/3");
        QCOMPARE(bar->answer()->text(), QString("0.333333333333333"));
        enter(bar, "ans*3");
        QCOMPARE(bar->answer()->text(), QString("0.999999999999999"));

        QTest::keyClick(bar->entry(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(bar->entry(), Qt::Key_Backspace);
        QCOMPARE(bar->entry()->text(), QString());
        QVERIFY(!bar->calculateButton()->isEnabled());
        QTest::keyClick(bar->entry(), Qt::Key_Return);
        QCOMPARE(bar->answer()->text(), QString("0.999999999999999"));
        QTest::keyClicks(bar->entry(), "2");
        QVERIFY(bar->calculateButton()->isEnabled());
    }

    // A dark desktop theme: the bar keeps its light boxes, so its text must stay dark.
    void itsTextStaysReadableUnderADarkTheme() {
        const QPalette before = QApplication::palette();
        QPalette dark = before;
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) dark.setColor(role, QColor(30, 30, 30));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(240, 240, 240));
        QApplication::setPalette(dark);
        // Made under the theme, as on a dark desktop.
        ui::CalcBar made(ui::expressionEvaluator(), Credits{});
        ui::CalcBar* bar = &made;
        bar->show();
        enter(bar, "888");
        QCOMPARE(bar->answer()->text(), QString("888"));
        const QImage image = bar->grab().toImage();
        QApplication::setPalette(before);
        // Every box and the button: what differs from their background is dark ink.
        for (QWidget* w : std::initializer_list<QWidget*>{bar->entry(), bar->answer(), bar->calculateButton()}) {
            const QRect r(w->mapTo(bar, QPoint(0, 0)), w->size());
            const QColor background = image.pixelColor(r.topLeft() + QPoint(2, 2));
            QVERIFY2(background.lightness() > 180, qPrintable(w->objectName()));
            int ink = 0;
            for (int y = r.top() + 3; y < r.bottom() - 2; ++y)
                for (int x = r.left() + 3; x < r.right() - 2; ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (std::abs(c.lightness() - background.lightness()) < 60) continue;
                    QVERIFY2(c.lightness() < background.lightness(), qPrintable(w->objectName()));
                    ++ink;
                }
            QVERIFY2(ink > 10, qPrintable(w->objectName()));
        }
    }

    void itsHiddenLabelIsNotReadOut() {
        auto* label2 = test::child<QLabel>(shownBar(), "Label2");
        QVERIFY(!label2->isVisible());
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(label2);
        QVERIFY(a && a->state().invisible);
    }

    void creditWordsShowTheMakersFromTheShortTexts() {
        ui::CalcBar* bar = shownBar();
        enter(bar, "AUTHOR");
        QCOMPARE(bar->answer()->text(), QString("KelbrinZorvan 开发组"));
        QCOMPARE(test::child<QLabel>(bar, "Label2")->text(), QString("author"));
    }

    // The working's pane: under the bar, inside its window, following the answers.
    void theEqualsSignOpensTheWorkingAndItFollowsEachAnswer() {
        ui::CalcBar* bar = shownBar();
        bar->closeSteps();
        enter(bar, "25*4+36/6");
        ui::StepsPane* pane = bar->stepsPane();
        QVERIFY(!pane->isVisible());
        QCOMPARE(bar->size(), QSize(266, 62));
        auto* equals = test::child<QLabel>(bar, "Label1");
        QTest::mouseClick(equals, Qt::LeftButton);
        QVERIFY(pane->isVisible());
        QCOMPARE(pane->lines(), QStringList({"25×4＋36÷6", "＝100＋6", "＝106"}));
        QCOMPARE(bar->width(), 266);
        QVERIFY(bar->height() >= 62 + 3 * 16);
        QVERIFY(bar->rect().contains(pane->geometry()));
        QCOMPARE(bar->y(), ball()->y());  // it grows downwards, beside the ball

        enter(bar, "x=2+3");
        QCOMPARE(pane->lines(), QStringList({"x＝2＋3", "＝5"}));
        const int twoRows = bar->height();
        enter(bar, "ans*g");  // a name from the constants file
        QCOMPARE(pane->lines(), QStringList({"ans×g", "＝5×9.8", "＝49"}));
        QVERIFY(bar->height() > twoRows);
        enter(bar, "1/0");  // no answer, no working
        QVERIFY(pane->isVisible());
        QVERIFY(pane->lines().isEmpty());
        enter(bar, "name");  // a credit is no calculation
        QVERIFY(pane->lines().isEmpty());
        enter(bar, "1+1");
        QCOMPARE(pane->lines(), QStringList({"1＋1", "＝2"}));

        QTest::mouseClick(equals, Qt::LeftButton);
        QVERIFY(!pane->isVisible());
        QCOMPARE(bar->size(), QSize(266, 62));
    }

    void downInTheEntryOpensTheWorkingAndUpClosesIt() {
        ui::CalcBar* bar = shownBar();
        bar->closeSteps();
        enter(bar, "100-36-25");
        QTest::keyClick(bar->entry(), Qt::Key_Down);
        QVERIFY(bar->stepsPane()->isVisible());
        QCOMPARE(bar->stepsPane()->lines(), QStringList({"100－36－25", "＝64－25", "＝39"}));
        QVERIFY(bar->entry()->hasFocus());  // typing goes on in the entry
        QTest::keyClick(bar->entry(), Qt::Key_Down);
        QVERIFY(bar->stepsPane()->isVisible());
        QTest::keyClick(bar->entry(), Qt::Key_Up);
        QVERIFY(!bar->stepsPane()->isVisible());
        QCOMPARE(bar->size(), QSize(266, 62));
    }

    void theWorkingHidesWithTheBar() {
        ui::CalcBar* bar = shownBar();
        enter(bar, "2+3*4");
        bar->openSteps();
        QVERIFY(bar->stepsPane()->isVisible());
        QWidget other;
        other.setWindowTitle("other");
        other.show();
        other.activateWindow();
        QTRY_VERIFY(!bar->isVisible());
        QVERIFY(bar->stepsPane()->isHidden());
        ball()->showBar();
        QVERIFY(bar->isVisible());
        QVERIFY(!bar->stepsPane()->isVisible());
        QCOMPARE(bar->size(), QSize(266, 62));
        // Still the working of the answer shown, ready to open again.
        bar->openSteps();
        QCOMPARE(bar->stepsPane()->lines(), QStringList({"2＋3×4", "＝2＋12", "＝14"}));
        bar->closeSteps();
    }

    void anotherActiveWindowHidesTheBarWithItsTexts() {
        ui::CalcBar* bar = shownBar();
        enter(bar, "2^10");
        QCOMPARE(bar->answer()->text(), QString("1024"));
        QVERIFY(bar->isActiveWindow());
        QWidget other;
        other.setWindowTitle("other");
        other.show();
        other.activateWindow();
        QTRY_VERIFY(!bar->isVisible());
        ball()->showBar();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->entry()->text(), QString("2^10"));
        QCOMPARE(bar->answer()->text(), QString("1024"));
    }

    void aClosedBarComesBackHiddenWithoutVariablesButWithAns() {
        ui::CalcBar* bar = shownBar();
        enter(bar, "x=5");
        QCOMPARE(bar->answer()->text(), QString("5"));
        enter(bar, "x+1");
        QCOMPARE(bar->answer()->text(), QString("6"));

        QPointer<ui::CalcBar> old = bar;
        QVERIFY(bar->close());
        QTRY_VERIFY(old.isNull() && ball()->bar());
        ui::CalcBar* fresh = ball()->bar();
        QVERIFY(!fresh->isVisible());
        QCOMPARE(fresh->entry()->text(), QString());
        QCOMPARE(fresh->answer()->text(), QString());
        QVERIFY(fresh->calculateButton()->isEnabled());
        // Placed beside the ball straight away.
        QCOMPARE(fresh->geometry().right() + 1, ball()->x());
        QCOMPARE(fresh->y(), ball()->y());

        ball()->showBar();
        enter(fresh, "x+1");
        QCOMPARE(fresh->answer()->text(), QString("发生错误！\r\n"));
        enter(fresh, "ans");
        QCOMPARE(fresh->answer()->text(), QString("6"));
        enter(fresh, "g*2");
        QCOMPARE(fresh->answer()->text(), QString("19.6"));
    }
};

QTEST_MAIN(CalcBarTest)
#include "calcbar_test.moc"
