// What only the view can get wrong, on a sample window with every kind of
// box: outputs without a context menu, multi-line text, Enter, messages
// through the seam, and a long computation run off the interface thread.
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <thread>

#include "framework/ToolWindow.h"
#include "windowtest.h"

using namespace kz;

namespace {

std::unique_ptr<WindowModel> sampleModel() {
    WindowDecl d;
    d.form = "FormSample";
    d.title = "样例";
    d.controls = {input("Text1", 5, FilterMode::Numeric_Pos, "甲").inRow(0), output("Text2", "结果").inRow(1),
                  multiLineOutput("Text3", "过程").inRow(2)};
    for (auto& b : buttonRow(3)) d.controls.push_back(b);
    d.managesCopy = true;
    d.copyPrimary = "Text2";
    return std::make_unique<WindowModel>(
        std::move(d),
        [](const Texts& t) {
            Outcome out;
            Calculation calc;
            double v = 0;
            calc.step([&] { v = strictNumber(t.at("Text1")); });
            calc.step([&] { out.show("Text2", numberToText(toInt16(v * 1000))); });
            out.show("Text3", "第一行\n第二行");
            calc.reportTo(out);
            return out;
        },
        Texts{{"Text1", ""}, {"Text2", ""}, {"Text3", ""}});
}

// Calculate hands a slow job to the host.
class SlowModel : public WindowModel {
public:
    SlowModel() : WindowModel(decl()) {}
    static WindowDecl decl() {
        WindowDecl d;
        d.form = "FormSlow";
        d.title = "慢";
        d.controls = {input("Text1", 5, FilterMode::None).inRow(0), output("Text2").inRow(1)};
        for (auto& b : buttonRow(2)) d.controls.push_back(b);
        return d;
    }

protected:
    void onCalculate() override {
        startJob([](std::stop_token) {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            Outcome o;
            o.show("Text2", "好了");
            return o;
        });
    }
};

}  // namespace

class FrameworkTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() {
        test::setUpProgram(seam);
        ui::WindowRegistry::instance().add("FormSample", [] { return new ui::ToolWindow(sampleModel()); });
        ui::WindowRegistry::instance().add("FormSlow",
                                           [] { return new ui::ToolWindow(std::make_unique<SlowModel>()); });
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

    void enterCalculatesAndMessagesGoThroughTheSeam() {
        QWidget* w = test::openForm("FormSample");
        auto* in = test::child<QLineEdit>(w, "Text1");
        QTest::keyClicks(in, "40");  // 40000 leaves the 16-bit range
        QTest::keyClick(in, Qt::Key_Enter);
        QCOMPARE(seam.messages.size(), size_t(1));
        QCOMPARE(seam.messages[0], (Message{"发生错误！", "错误", MessageIcon::Error}));
        QCOMPARE(test::child<QPlainTextEdit>(w, "Text3")->toPlainText(), QString("第一行\n第二行"));
        QVERIFY(!test::child<QPushButton>(w, "Command3")->isEnabled());
        QTest::keyClick(in, Qt::Key_Backspace);
        QTest::keyClicks(in, ".5");
        QTest::keyClick(in, Qt::Key_Return);
        QCOMPARE(test::child<QLineEdit>(w, "Text2")->text(), QString("4500"));
        test::child<QPushButton>(w, "Command3")->click();
        QCOMPARE(seam.clipboard, QString("4500"));
    }

    void aLongComputationLeavesTheWindowResponsive() {
        auto* w = static_cast<ui::ToolWindow*>(test::openForm("FormSlow"));
        auto* calc = test::child<QPushButton>(w, "Command1");
        calc->click();
        QVERIFY(!calc->isEnabled());  // no second press while the first runs
        QCOMPARE(test::child<QLineEdit>(w, "Text2")->text(), QString());
        QTRY_COMPARE(test::child<QLineEdit>(w, "Text2")->text(), QString("好了"));
        QVERIFY(calc->isEnabled());
        calc->click();
        delete w;  // closing mid-computation neither blocks long nor delivers to a dead window
        QTest::qWait(250);
    }

    void qtDialogButtonsReadInChinese() {
        QMessageBox box(QMessageBox::Critical, "错误", "发生错误！", QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text().remove('&'), QString("确定"));
    }
};

QTEST_MAIN(FrameworkTest)
#include "framework_test.moc"
