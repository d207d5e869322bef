// Framework behaviour that GCD and LCM do not exercise: output boxes without a
// context menu, failures reported one message each, Copy's own copy text.
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "framework/ToolWindow.h"
#include "windowtest.h"

using namespace kz;

namespace {

class SampleWindow : public ui::ToolWindow {
public:
    SampleWindow() : ToolWindow("FormSample") {
        addRow({addInput("Text1", "甲", 5, FilterMode::Numeric_Pos)});
        addRow({addOutput("Text2", "结果")});
        addRow({addMultiLineOutput("Text3", "过程")});
        addButtonRow();
        setManagesCopy(true);
        onCalculate([](const Texts& t) {
            Outcome out;
            Calculation calc;
            double v = 0;
            calc.step([&] { v = strictNumber(t.at("Text1")); });
            calc.step([&] { out.show("Text2", numberToText(toInt16(v * 1000))); });
            out.show("Text3", "第一行\n第二行");
            calc.reportTo(out);
            return out;
        });
        onClear({{"Text1", ""}, {"Text2", ""}, {"Text3", ""}});
        setCopy("Text2", [](const Texts& t) { return "结果：" + t.at("Text2"); });
    }
};

}  // namespace

class FrameworkTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() {
        test::setUpProgram(seam);
        ui::WindowRegistry::instance().add("FormSample", [] { return new SampleWindow; });
    }
    void init() {
        ui::WindowRegistry::instance().destroyAll();
        seam = {};
    }

    void outputBoxesShowNoContextMenu() {
        QWidget* w = test::openForm("FormSample");
        // Should a menu ever open, close it so the test reports instead of hanging.
        QTimer guard;
        connect(&guard, &QTimer::timeout, [] {
            if (QWidget* p = QApplication::activePopupWidget()) p->close();
        });
        guard.start(50);
        for (const char* name : {"Text2", "Text3"}) {
            QWidget* box = test::child<QWidget>(w, name);
            QWidget* target = qobject_cast<QPlainTextEdit*>(box) ? static_cast<QPlainTextEdit*>(box)->viewport() : box;
            QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(target, &e);
            QVERIFY(!QApplication::activePopupWidget());
            QCOMPARE(target->contextMenuPolicy(), Qt::PreventContextMenu);
        }
        QCOMPARE(test::child<QLineEdit>(w, "Text1")->contextMenuPolicy(), Qt::DefaultContextMenu);
        QVERIFY(test::child<QLineEdit>(w, "Text2")->isReadOnly());
    }

    void failuresCarryOnAndDisableCopy() {
        QWidget* w = test::openForm("FormSample");
        auto* in = test::child<QLineEdit>(w, "Text1");
        auto* copy = test::child<QPushButton>(w, "Command3");
        in->setText("40");  // 40000 leaves the 16-bit range
        QTest::keyClick(in, Qt::Key_Enter);
        QCOMPARE(seam.messages.size(), size_t(1));
        QCOMPARE(seam.messages[0], (Message{"发生错误！", "错误", MessageIcon::Error}));
        QCOMPARE(test::child<QPlainTextEdit>(w, "Text3")->toPlainText(), QString("第一行\n第二行"));
        QVERIFY(!copy->isEnabled());
        in->setText(".");  // the failed conversion keeps v at 0, and the next step runs on it
        QTest::keyClick(in, Qt::Key_Return);
        QCOMPARE(seam.messages.size(), size_t(2));
        QCOMPARE(test::child<QLineEdit>(w, "Text2")->text(), QString("0"));
        QVERIFY(!copy->isEnabled());
        in->setText("1.5");
        QTest::keyClick(in, Qt::Key_Return);
        QVERIFY(copy->isEnabled());
        copy->click();
        QCOMPARE(seam.clipboard, QString("结果：1500"));
    }

    void qtDialogButtonsReadInChinese() {
        QMessageBox box(QMessageBox::Critical, "错误", "发生错误！", QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text().remove('&'), QString("确定"));
    }
};

QTEST_MAIN(FrameworkTest)
#include "framework_test.moc"
