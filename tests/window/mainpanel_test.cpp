// The main panel: its menu is the whole catalogue, in order, with names,
// captions and access keys; entries open their windows, once each.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "framework/catalogue.h"
#include "windowtest.h"

using namespace kz;

class MainPanelTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

    static void collect(QMenu* menu, int depth, std::vector<std::pair<QAction*, int>>& out) {
        for (QAction* a : menu->actions()) {
            out.push_back({a, depth});
            if (a->menu()) collect(a->menu(), depth + 1, out);
        }
    }

private slots:
    void initTestCase() { test::setUpProgram(seam); }

    void menuIsTheWholeCatalogueInOrder() {
        auto* panel = qobject_cast<QMainWindow*>(test::openForm("Form2"));
        QVERIFY(panel);
        QCOMPARE(panel->windowTitle(), QString("KelbrinZorvan2010"));
        QCOMPARE(panel->centralWidget()->size(), QSize(321, 242));
        std::vector<std::pair<QAction*, int>> rows;
        for (QAction* top : panel->menuBar()->actions()) {
            rows.push_back({top, 0});
            collect(top->menu(), 1, rows);
        }
        auto cat = catalogue();
        QCOMPARE(rows.size(), cat.size());
        for (std::size_t i = 0; i < cat.size(); ++i) {
            const auto& e = cat[i];
            QAction* a = rows[i].first;
            QCOMPARE(a->objectName(), ui::qs(e.itemName));
            QCOMPARE(rows[i].second, e.depth);
            QCOMPARE(a->isSeparator(), e.kind == EntryKind::Separator);
            if (e.kind != EntryKind::Separator) QCOMPARE(a->text(), ui::qs(e.caption));
            // The home page and the search window (made by the panel itself) need no registered window.
            if (e.kind == EntryKind::Command && e.itemName != "HelpHome" && e.itemName != "HelpSearch")
                QCOMPARE(a->isEnabled(), ui::WindowRegistry::instance().has(ui::qs(e.form)));
        }
        QCOMPARE(panel->findChild<QAction*>("HelpHelp")->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void windowsNotYetInTheProgramAreShownButDisabled() {
        QWidget* panel = test::openForm("Form2");
        for (const CatalogueEntry& e : catalogue()) {
            if (e.kind != EntryKind::Command || e.form.empty() || e.itemName == "HelpSearch") continue;
            QAction* a = panel->findChild<QAction*>(ui::qs(e.itemName));
            QVERIFY(a);
            QVERIFY(a->isVisible());
            if (!ui::WindowRegistry::instance().has(ui::qs(e.form))) {
                QVERIFY(!a->isEnabled());
                a->trigger();  // a disabled entry opens nothing
                QVERIFY(!ui::WindowRegistry::instance().existing(ui::qs(e.form)));
            }
        }
        QVERIFY(panel->findChild<QAction*>("ToolboxDivisor")->isEnabled());
        QVERIFY(panel->findChild<QAction*>("ToolboxMultiple")->isEnabled());
    }

    void choosingAToolTwiceShowsOneWindow() {
        QWidget* panel = test::openForm("Form2");
        QAction* gcd = panel->findChild<QAction*>("ToolboxDivisor");
        gcd->trigger();
        QWidget* first = ui::WindowRegistry::instance().existing("Form12");
        QVERIFY(first);
        gcd->trigger();
        QCOMPARE(ui::WindowRegistry::instance().existing("Form12"), first);
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "Form12") ++count;
        QCOMPARE(count, 1);
    }

    void homePageGoesToTheBrowser() {
        QWidget* panel = test::openForm("Form2");
        panel->findChild<QAction*>("HelpHome")->trigger();
        QCOMPARE(seam.urls.size(), size_t(1));
        QCOMPARE(seam.urls[0].toString(), ui::qs(kHomePage));
    }
};

QTEST_MAIN(MainPanelTest)
#include "mainpanel_test.moc"
