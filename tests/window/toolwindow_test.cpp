// The common behaviour of tool windows, seen through the GCD and LCM windows.
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "framework/ToolWindow.h"
#include "framework/windowmodel.h"
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

    void filterRunsOnTypingAndPasting() {
        QWidget* w = openForm("Form12");
        auto* box = child<QLineEdit>(w, "Text2");
        QTest::keyClicks(box, "1a-2.3");
        QCOMPARE(box->text(), QString("123"));
        test::paste(box, "-4x5中");  // a paste over the whole text goes through the same filter
        QCOMPARE(box->text(), QString("-45"));
        test::paste(box, "123456789012345");
        QCOMPARE(box->text(), QString("1234567890"));  // ten characters at most
        auto* lcm = child<QLineEdit>(openForm("Form13"), "Text1");
        QTest::keyClicks(lcm, "1234");
        QCOMPARE(lcm->text(), QString("123"));
    }

    void everyWindowOfTheTableHasItsDeclaredControls() {
        for (const std::string& form : windowForms()) {
            // A window another one owns is made by its owner, not the registry.
            std::unique_ptr<ui::ToolWindow> owned;
            if (findWindowType(form)->owned) owned = std::make_unique<ui::ToolWindow>(openWindowModel(form));
            QVERIFY2(!owned || !ui::WindowRegistry::instance().has(QString::fromStdString(form)), form.c_str());
            QWidget* w = owned ? owned.get() : openForm(form.c_str());
            QVERIFY2(w, form.c_str());
            QCOMPARE(w->objectName(), QString::fromStdString(form));
            QVERIFY2(!w->windowTitle().isEmpty(), form.c_str());
            auto model = openWindowModel(form);
            for (const ControlDecl& c : model->decl().controls) {
                auto found = w->findChildren<QWidget*>(QString::fromStdString(c.name));
                QVERIFY2(found.size() == 1, (form + " " + c.name).c_str());
            }
            ui::WindowRegistry::instance().destroyAll();
        }
    }

    void boxesAndLabelsUseTheSongFaceAtTheirSizes() {
        QWidget* w = openForm("Form12");
        QCOMPARE(child<QLineEdit>(w, "Text2")->font().pointSizeF(), 12.0);
        QCOMPARE(child<QLabel>(w, "Label4")->font().pointSizeF(), 10.5);
        QCOMPARE(child<QPushButton>(w, "Command1")->font().pointSizeF(), 10.5);
        QVERIFY(child<QLabel>(w, "Label4")->font().families().contains("AR PL UMing CN"));
    }

    void singleInstanceAndFreshAfterClose() {
        QWidget* first = openForm("Form12");
        QTest::keyClicks(child<QLineEdit>(first, "Text2"), "42");
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
