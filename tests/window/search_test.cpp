// The search window on the desktop: owned by the panel and docked beside it,
// one more per 搜索, Enter following the focus, tools opened as the menu does.
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "app/MagneticDock.h"
#include "app/MainPanel.h"
#include "framework/ToolWindow.h"
#include "windowtest.h"

using namespace kz;

class SearchTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

    static ui::MainPanel* panel() { return qobject_cast<ui::MainPanel*>(test::openForm("Form2")); }
    static ui::ToolWindow* newest(ui::MainPanel* p) {
        auto all = p->searchWindows();
        return all.empty() ? nullptr : all.back();
    }

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void cleanup() { ui::WindowRegistry::instance().destroyAll(); }

    void thePanelOpensItsSearchWindowBesideIt() {
        ui::MainPanel* p = panel();
        QVERIFY(p);
        QCOMPARE(p->searchWindows().size(), 1u);
        ui::ToolWindow* s = newest(p);
        QVERIFY(s->isVisible());
        QCOMPARE(s->objectName(), QString("Form38"));
        QCOMPARE(s->windowTitle(), QString("搜索 - KelbrinZorvan"));
        QCOMPARE(s->parentWidget(), p);
        QVERIFY((s->windowFlags() & Qt::WindowType_Mask) == Qt::Tool);
        QCOMPARE(s->size(), QSize(241, 262));
        QCOMPARE(s->frameGeometry().left(), p->frameGeometry().right() + 1);
        QVERIFY(p->oMagneticWnd().isGlued(s));
    }

    void theSearchWindowClosesWithThePanel() {
        ui::MainPanel* p = panel();
        QPointer<ui::ToolWindow> first = newest(p);
        p->close();
        QTRY_VERIFY(!first);
        QVERIFY(p->searchWindows().empty());
        p = panel();  // shown again: loads again
        QCOMPARE(p->searchWindows().size(), 1u);
        QVERIFY(p->oMagneticWnd().isGlued(newest(p)));
    }

    void eachSearchCommandMakesANewWindow() {
        ui::MainPanel* p = panel();
        ui::ToolWindow* first = newest(p);
        qobject_cast<QPushButton*>(first->control("Command3"))->click();  // 取消 hides it
        QVERIFY(!first->isVisible());
        QAction* search = p->findChild<QAction*>("HelpSearch");
        QVERIFY(search->isEnabled());
        search->trigger();
        search->trigger();
        const auto all = p->searchWindows();
        QCOMPARE(all.size(), 3u);
        QCOMPARE(all[0], first);
        QVERIFY(!first->isVisible());  // a hidden one is not reused
        QVERIFY(all[1] != all[2] && all[1]->isVisible() && all[2]->isVisible());
        QVERIFY(!ui::WindowRegistry::instance().existing("Form38"));
    }

    void enterFollowsTheFocus() {
        ui::MainPanel* p = panel();
        ui::ToolWindow* s = newest(p);
        s->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s));
        auto* text = qobject_cast<QLineEdit*>(s->control("Text1"));
        auto* list = qobject_cast<QListWidget*>(s->control("List1"));
        auto* find = qobject_cast<QPushButton*>(s->control("Command1"));
        auto* open = qobject_cast<QPushButton*>(s->control("Command2"));
        QVERIFY(find->isDefault());
        test::paste(text, "倍数");
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->currentRow(), -1);

        list->setFocus();
        QTRY_VERIFY(open->isDefault());
        QVERIFY(!find->isDefault());
        list->setCurrentRow(0);  // 最小公倍数
        QTest::keyClick(list, Qt::Key_Return);
        QWidget* tool = ui::WindowRegistry::instance().existing("Form13");
        QVERIFY(tool && tool->isVisible());
        QVERIFY(s->isVisible());  // the search window stays

        text->setFocus();
        QTRY_VERIFY(find->isDefault());
        test::paste(text, "鸡兔");
        seam.messages.clear();
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(seam.messages.size(), 1u);
        QCOMPARE(seam.messages[0], (Message{"对不起，没有找到相关结果！", "KelbrinZorvan", MessageIcon::Information}));
        QCOMPARE(list->count(), 3);  // the results stay
    }

    void draggingThePanelCarriesTheSearchWindow() {
        ui::MainPanel* p = panel();
        ui::ToolWindow* s = newest(p);
        QVERIFY(p->oMagneticWnd().isGlued(s));
        const QPoint offset = s->frameGeometry().topLeft() - p->frameGeometry().topLeft();
        p->move(p->frameGeometry().topLeft() + QPoint(-40, 25));
        QTRY_COMPARE(s->frameGeometry().topLeft(), p->frameGeometry().topLeft() + offset);

        // Dropped 9 pixels from the work area's left edge, the panel ends on it
        // and the search window comes along; at 10 it stays.
        const QRect area = p->screen()->availableGeometry();
        for (int gap : {10, 9}) {
            p->move(area.left() + gap, area.top() + 100);
            QTest::qWait(ui::MagneticDock::kMoveEndMs + 100);
            QCOMPARE(p->frameGeometry().left(), area.left() + (gap == 9 ? 0 : gap));
            QCOMPARE(s->frameGeometry().topLeft(), p->frameGeometry().topLeft() + offset);
            QVERIFY(p->oMagneticWnd().isGlued(s));
        }
    }

    void aSearchWindowDraggedAwayComesUnstuck() {
        ui::MainPanel* p = panel();
        ui::ToolWindow* s = newest(p);
        s->move(s->frameGeometry().topLeft() + QPoint(60, 40));
        QTRY_VERIFY(!p->oMagneticWnd().isGlued(s));
        const QPoint searchAt = s->frameGeometry().topLeft();
        p->move(p->frameGeometry().topLeft() + QPoint(0, 30));
        QTest::qWait(ui::MagneticDock::kMoveEndMs + 100);
        QCOMPARE(s->frameGeometry().topLeft(), searchAt);
    }
};

QTEST_MAIN(SearchTest)
#include "search_test.moc"
