// What the generic view adds to the base conversion, statistics and date
// windows: the red date box, the kept statistics window, the arrow chain
// through a drop-down list.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <optional>
#include <utility>
#include <vector>

#include "windowtest.h"

using namespace kz;
using kz::test::child;
using kz::test::openForm;

class NumToolsTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

    static QColor textColour(QLineEdit* e) { return e->palette().color(QPalette::Text); }

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void init() {
        ui::WindowRegistry::instance().destroyAll();
        seam = {};
    }

    void dateBoxTurnsRedOnARejectedCharacterAndBack() {
        QWidget* w = openForm("Form41");
        auto* box = child<QLineEdit>(w, "Text1");
        box->setFocus();
        const QColor normal = textColour(box);
        QTest::keyClicks(box, "20080");
        QCOMPARE(box->text(), QString("2008-0"));
        QCOMPARE(box->cursorPosition(), 6);
        QTest::keyClicks(box, "/");
        QCOMPARE(box->text(), QString("2008-0/"));
        QCOMPARE(textColour(box), QColor(255, 0, 0));
        QCOMPARE(seam.beeps, 1);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(textColour(box), normal);
        QTest::keyClicks(box, "80808");
        QCOMPARE(box->text(), QString("2008-08-08"));
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(w, "Text2"));
    }

    void statisticsKeepsItsInstanceAndStartsEmpty() {
        QWidget* w = openForm("Form28");
        auto* list = child<QPlainTextEdit>(w, "txtList");  // several lines; Enter still calculates
        QCOMPARE(QApplication::focusWidget(), list);
        QTest::keyClicks(list, "1..5");
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(seam.messages.size(), size_t(1));
        QVERIFY(!child<QPushButton>(w, "Command1")->isEnabled());
        w->close();
        QWidget* again = openForm("Form28");
        QCOMPARE(again, w);
        QCOMPARE(list->toPlainText(), QString());
        QVERIFY(child<QPushButton>(w, "Command1")->isEnabled());
        QTest::keyClicks(list, "3,1,2,2,5");
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(child<QLineEdit>(w, "txtStat(0)")->text(), QString("2.6"));
    }

    // The boxes of a window start at one edge, the longest text each can hold
    // shows whole, and every label fits on its line.
    void boxesLineUpAndShowTheirLongestText() {
        struct Case {
            const char* form;
            std::vector<std::pair<const char*, const char*>> boxes;
        };
        const Case cases[] = {
            {"Form11",
             {{"Text1", "-999999999"}, {"Text2", "-999999999"}, {"Text3", "发生错误！"}, {"Text4", "-999999999"}}},
            {"Form14", {{"Text1", "-999999999"}, {"Combo1", "十六进制"}, {"Text2", "1111111111111111111111111111111"}}},
            {"Form18", {{"Text1", "99999999999999999999"}, {"Combo1", "三个月"}, {"Text2", "0.000123456789012345"}}},
            {"Form28",
             {{"txtStat(0)", "1.23456789012345E+300"},
              {"txtStat(11)", "0.000123456789012345"},
              {"txtStat(3)", "1.23456789012345E+300"}}},
        };
        for (const Case& c : cases) {
            QWidget* w = openForm(c.form);
            std::optional<int> left;
            for (auto [name, longest] : c.boxes) {
                auto* box = child<QWidget>(w, name);
                if (!left) left = box->x();
                QCOMPARE(box->x(), *left);
                const int needed = box->fontMetrics().horizontalAdvance(QString::fromUtf8(longest));
                QVERIFY2(needed < box->contentsRect().width() - 8, qPrintable(QString("%1 %2").arg(c.form, name)));
            }
            for (QLabel* l : w->findChildren<QLabel*>()) {
                if (!l->isVisible() || l->text().isEmpty()) continue;
                const QRect r = l->fontMetrics().boundingRect(l->contentsRect(), Qt::TextWordWrap, l->text());
                QVERIFY2(r.height() <= l->contentsRect().height(), qPrintable(l->objectName()));
            }
        }
    }

    void downArrowReachesTheBaseList() {
        QWidget* w = openForm("Form14");
        auto* box = child<QLineEdit>(w, "Text1");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), child<QComboBox>(w, "Combo1"));
    }
};

QTEST_MAIN(NumToolsTest)
#include "numtools_test.moc"
