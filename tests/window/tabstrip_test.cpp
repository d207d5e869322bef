// The owner-drawn tab strip: attaching, the hot tab and its redraws under a
// real mouse, clicks, the off-screen composition, the drawing routines pixel
// by pixel, and the XP skin.
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>

#include "drawing/CSSTab.h"
#include "drawing/MDC.h"
#include "drawing/SkinnedTabs.h"
#include "windowtest.h"

using namespace kz;
using ui::CSSTab;

namespace {

// A window with a three-page tab widget and a box outside it.
struct Strip {
    QWidget window;
    QTabWidget* tabs;
    QLineEdit* box;
    QLabel* onPage;

    Strip() {
        window.resize(420, 240);
        tabs = new QTabWidget(&window);
        tabs->setGeometry(10, 10, 400, 200);
        for (const char* c : {"一", "二", "三"}) tabs->addTab(new QWidget, c);
        onPage = new QLabel("内容", tabs->widget(0));
        onPage->setGeometry(20, 60, 100, 30);
        box = new QLineEdit(&window);
        box->setGeometry(10, 215, 100, 20);
    }
    void show() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

}  // namespace

class TabStripTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

    // Row redraws since the spy started: each raises DrawTab once per tab.
    static int redraws(const QSignalSpy& drawTab, int tabs) { return static_cast<int>(drawTab.count()) / tabs; }

private slots:
    void initTestCase() {
        test::setUpProgram(seam);
        qRegisterMetaType<QPainter*>();
    }

    void attachAndDetach() {
        Strip s;
        QTabWidget other;
        CSSTab strip;
        QSignalSpy background(&strip, &CSSTab::DrawBackGround);
        QVERIFY(!strip.Detach());
        QVERIFY(!strip.Attach(nullptr));
        QCOMPARE(strip.hwnd(), nullptr);
        QVERIFY(strip.Attach(s.tabs));
        QCOMPARE(strip.hwnd(), s.tabs);
        QCOMPARE(background.count(), 1);
        QVERIFY(!strip.Attach(s.tabs));
        QVERIFY(!strip.Attach(&other));
        QCOMPARE(strip.hwnd(), s.tabs);
        QCOMPARE(background.count(), 1);
        QVERIFY(strip.Detach());
        QVERIFY(!strip.Detach());
        QCOMPARE(strip.hwnd(), nullptr);
        QVERIFY(!strip.Focus());
        QVERIFY(strip.Attach(&other));  // free again
    }

    void pagesStayWhereTheyWere() {
        Strip plain;
        plain.show();
        Strip s;
        ui::skinTabs(s.tabs);
        ui::skinTabs(s.tabs);
        QCOMPARE(s.tabs->findChildren<CSSTab*>().size(), qsizetype(1));
        s.show();
        QCOMPARE(s.onPage->mapTo(s.tabs, QPoint(0, 0)), plain.onPage->mapTo(plain.tabs, QPoint(0, 0)));
        // Going with its control, or before it, leaves nothing behind.
        auto* t = new QTabWidget;
        t->addTab(new QWidget, "a");
        ui::skinTabs(t);
        delete t;
        delete s.tabs->findChild<CSSTab*>();
        QVERIFY(s.tabs->findChildren<CSSTab*>().isEmpty());
    }

    void tabSizes() {
        Strip s;
        CSSTab strip;
        QCOMPARE(strip.tabWidth(), 100);
        QCOMPARE(strip.tabHeight(), 25);
        strip.setProperty("TabWidth", 1);
        strip.setTabHeight(-4);
        QCOMPARE(strip.tabWidth(), 3);
        QCOMPARE(strip.tabHeight(), 3);
        strip.Attach(s.tabs);
        QSignalSpy tab(&strip, &CSSTab::DrawTab);
        strip.setTabWidth(80);
        QCOMPARE(redraws(tab, 3), 1);
        QCOMPARE(tab.last().at(5).toInt(), 80);   // the last tab's width
        QCOMPARE(tab.last().at(3).toInt(), 160);  // and its left
    }

    void hoverRedrawsOncePerChangeOfTheHotTab() {
        Strip s;
        CSSTab strip;
        strip.Attach(s.tabs);
        s.show();
        QSignalSpy tab(&strip, &CSSTab::DrawTab);
        QSignalSpy background(&strip, &CSSTab::DrawBackGround);
        struct Step {
            QPoint at;
            int hot;
            int redraws;
        };
        const Step path[] = {
            {{10, 10}, 0, 1},   {{60, 12}, 0, 1},   {{99, 25}, 0, 1}, {{100, 20}, 1, 2}, {{180, 5}, 1, 2},
            {{180, 26}, -1, 3}, {{180, 80}, -1, 3}, {{250, 8}, 2, 4}, {{350, 8}, -1, 5},  // right of the last tab
            {{50, 5}, 0, 6},    {{50, 70}, -1, 7},  // down onto a control of the page
        };
        for (const Step& st : path) {
            QTest::mouseMove(s.tabs, st.at);
            QCOMPARE(strip.hotTab(), st.hot);
            QCOMPARE(redraws(tab, 3), st.redraws);
        }
        // The hot tab's state is 1, the others' 0.
        QTest::mouseMove(s.tabs, {150, 10});
        QCOMPARE(tab.count(), 8 * 3);
        for (int i = 0; i < 3; ++i) QCOMPARE(tab.at(7 * 3 + i).at(2).toInt(), i == 1 ? 1 : 0);
        // Leaving the control clears it, once.
        QTest::mouseMove(&s.window, {200, 225});
        QCOMPARE(strip.hotTab(), -1);
        QCOMPARE(redraws(tab, 3), 9);
        QCOMPARE(background.count(), 0);  // redraws start from the kept background
    }

    void clicks() {
        Strip s;
        CSSTab strip;
        strip.Attach(s.tabs);
        s.show();
        QSignalSpy tab(&strip, &CSSTab::DrawTab);
        s.box->setFocus();
        QTest::mouseClick(s.tabs, Qt::RightButton, {}, {150, 10});
        QTest::mouseClick(s.tabs, Qt::MiddleButton, {}, {250, 10});
        QCOMPARE(s.tabs->currentIndex(), 0);
        QVERIFY(s.box->hasFocus());
        QVERIFY(!strip.Focus());
        QTest::mouseClick(s.tabs, Qt::LeftButton, {}, {150, 40});  // below the row
        QCOMPARE(s.tabs->currentIndex(), 0);
        QVERIFY(s.box->hasFocus());

        tab.clear();
        QTest::mouseClick(s.tabs, Qt::LeftButton, {}, {250, 10});
        QCOMPARE(s.tabs->currentIndex(), 2);
        QVERIFY(strip.Focus());
        QVERIFY(tab.count() > 0);

        s.box->setFocus();
        QTest::mouseClick(s.tabs, Qt::LeftButton, {}, {390, 10});  // right of the last tab
        QCOMPARE(s.tabs->currentIndex(), 2);
        QVERIFY(strip.Focus());

        // An owner that puts the focus into the new page keeps it there.
        auto moved = connect(s.tabs, &QTabWidget::currentChanged, s.box, [&] { s.box->setFocus(); });
        QTest::mouseClick(s.tabs, Qt::LeftButton, {}, {150, 10});
        QCOMPARE(s.tabs->currentIndex(), 1);
        QVERIFY(s.box->hasFocus());
        disconnect(moved);
        QTest::mouseClick(s.tabs, Qt::LeftButton, {}, {250, 10});
        QVERIFY(strip.Focus());

        // The arrow keys step through the pages of the focused control.
        QTest::keyClick(s.tabs->tabBar(), Qt::Key_Left);
        QCOMPARE(s.tabs->currentIndex(), 1);
        QTest::keyClick(s.tabs->tabBar(), Qt::Key_Right);
        QTest::keyClick(s.tabs->tabBar(), Qt::Key_Right);
        QCOMPARE(s.tabs->currentIndex(), 2);
    }

    void compositionIsShownInOnePiece() {
        Strip s;
        CSSTab strip;
        connect(&strip, &CSSTab::DrawBackGround, [](QPainter* p, int w, int h) { p->fillRect(0, 0, w, h, Qt::blue); });
        connect(&strip, &CSSTab::DrawTab, [](QPainter* p, int i, int state, int l, int t, int w, int h) {
            p->fillRect(l + 2, t + 2, w - 4, h - 4, state ? Qt::red : (i == 1 ? Qt::green : Qt::yellow));
        });
        QSignalSpy background(&strip, &CSSTab::DrawBackGround);
        strip.Attach(s.tabs);
        s.show();
        QCOMPARE(background.count(), 1);
        QCOMPARE(background.first().at(1).toInt(), 400);
        QCOMPARE(background.first().at(2).toInt(), 200);
        const QImage shown = s.tabs->grab().toImage();
        QCOMPARE(shown.pixel(150, 10), QColor(Qt::green).rgb());
        QCOMPARE(shown.pixel(50, 10), QColor(Qt::yellow).rgb());
        QCOMPARE(shown.pixel(350, 10), QColor(Qt::blue).rgb());
        QCOMPARE(shown.pixel(300, 150), QColor(Qt::blue).rgb());
        QTest::mouseMove(s.tabs, {60, 10});
        QTRY_COMPARE(s.tabs->grab().toImage().pixel(50, 10), QColor(Qt::red).rgb());
        // A new size makes the surfaces anew.
        s.tabs->resize(300, 150);
        QCOMPARE(background.count(), 2);
        QCOMPARE(strip.composition().size(), QSize(300, 150) * s.tabs->devicePixelRatioF());
    }

    void nineGridPixels() {
        // A 5 x 4 source with a different colour in every pixel.
        QImage src(5, 4, QImage::Format_ARGB32);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) src.setPixel(x, y, qRgb(10 * x + 1, 10 * y + 1, 200));
        auto pixelOf = [&](int x, int y) { return src.pixel(x, y); };
        QImage target(12, 8, QImage::Format_ARGB32);
        target.fill(Qt::white);
        {
            QPainter p(&target);
            ui::drawNineGrid(p, QRect(1, 1, 9, 6), src, QRect(0, 0, 5, 4), {1, 1, 2, 1});
        }
        // Rows of the target (inside the 9 x 6 rectangle) and the source row each shows:
        // top margin 1 row, centre stretched from 2 rows to 4, bottom margin 1 row.
        const int sourceRow[6] = {0, 1, 1, 2, 2, 3};
        // Columns: left margin 1, centre stretched from 2 columns to 6, right margin 2.
        const int sourceCol[9] = {0, 1, 1, 1, 2, 2, 2, 3, 4};
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 9; ++x) QCOMPARE(target.pixel(1 + x, 1 + y), pixelOf(sourceCol[x], sourceRow[y]));
        QCOMPARE(target.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(target.pixel(10, 7), qRgb(255, 255, 255));

        // The key colour is left out; all margins zero stretches the whole tile.
        src.setPixel(1, 1, qRgb(255, 0, 255));
        target.fill(Qt::white);
        {
            QPainter p(&target);
            ui::drawNineGrid(p, QRect(0, 0, 4, 2), src, QRect(1, 1, 2, 1), {}, QColor(255, 0, 255));
            ui::drawNineGrid(p, QRect(5, 0, 0, 2), src, QRect(0, 0, 5, 4), {});  // empty: nothing
        }
        const QRgb expect[4] = {rgb(255, 255, 255), rgb(255, 255, 255), pixelOf(2, 1), pixelOf(2, 1)};
        for (int x = 0; x < 4; ++x) {
            QCOMPARE(target.pixel(x, 0), expect[x]);
            QCOMPARE(target.pixel(x, 1), expect[x]);
        }
        QCOMPARE(target.pixel(5, 0), rgb(255, 255, 255));
    }

    void drawingRoutines() {
        QImage img(10, 8, QImage::Format_ARGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        ui::drawBorderBox(p, QRect(1, 1, 6, 5), QColor(145, 155, 156), QColor(252, 252, 254));
        ui::drawFocusFrame(p, QRect(7, 0, 3, 3), QColor(Qt::black));
        ui::fillAlphaRect(p, QRect(0, 7, 2, 1), QColor(0, 0, 0), 400);  // clamped to opaque
        p.end();
        QCOMPARE(img.pixel(1, 1), rgb(145, 155, 156));
        QCOMPARE(img.pixel(6, 5), rgb(145, 155, 156));
        QCOMPARE(img.pixel(2, 2), rgb(252, 252, 254));
        QCOMPARE(img.pixel(5, 4), rgb(252, 252, 254));
        QCOMPARE(img.pixel(0, 0), rgb(255, 255, 255));
        // Dotted: every other pixel around the frame.
        QCOMPARE(img.pixel(7, 0), rgb(0, 0, 0));
        QCOMPARE(img.pixel(8, 0), rgb(255, 255, 255));
        QCOMPARE(img.pixel(9, 0), rgb(0, 0, 0));
        QCOMPARE(img.pixel(7, 1), rgb(255, 255, 255));
        QCOMPARE(img.pixel(8, 1), rgb(255, 255, 255));
        QCOMPARE(img.pixel(0, 7), rgb(0, 0, 0));
    }

    void xpSkin() {
        const QImage xp(":/resources/images/xp.png");
        QCOMPARE(xp.size(), QSize(21, 20));
        for (int x = 0; x < 14; ++x)
            for (int y = 0; y < 2; ++y) QCOMPARE(xp.pixel(x, y), rgb(255, 0, 255));
        QCOMPARE(xp.pixel(17, 10), rgb(252, 252, 254));

        Strip s;
        s.tabs->setCurrentIndex(1);
        ui::skinTabs(s.tabs);
        s.show();
        auto* strip = s.tabs->findChild<CSSTab*>();
        QTest::mouseMove(s.tabs, {250, 15});
        QCOMPARE(strip->hotTab(), 2);
        const QImage c = strip->composition().scaled(s.tabs->size());  // logical pixels
        const QRgb back = s.tabs->palette().color(QPalette::Window).rgb();
        QCOMPARE(c.pixel(50, 0), back);  // unselected tabs stand two pixels lower
        QCOMPARE(c.pixel(50, 1), back);
        QCOMPARE(c.pixel(150, 0), QColor(230, 139, 44).rgb());  // the selected tab's orange top
        QCOMPARE(c.pixel(250, 2), QColor(230, 139, 44).rgb());  // the hot tab's
        QCOMPARE(c.pixel(50, 2), rgb(145, 155, 156));           // the plain tab's grey
        QCOMPARE(c.pixel(110, 20), rgb(252, 252, 254));         // selected body, as the page
        QCOMPARE(c.pixel(399, 100), rgb(145, 155, 156));        // the page box
        QCOMPARE(c.pixel(200, 199), rgb(145, 155, 156));
        QCOMPARE(c.pixel(200, 100), rgb(252, 252, 254));
        QCOMPARE(c.pixel(350, 10), back);  // beside the row
        // The focused control shows a focus frame on its selected tab.
        s.box->setFocus();
        QVERIFY(!strip->Focus());
        const QImage u = strip->composition().scaled(s.tabs->size());
        QCOMPARE(u.pixel(103, 3), u.pixel(104, 3));
        s.tabs->setFocus();
        QVERIFY(strip->Focus());
        const QImage f = strip->composition().scaled(s.tabs->size());
        QCOMPARE(f.pixel(103, 3), rgb(0, 0, 0));
        QVERIFY(f.pixel(104, 3) != rgb(0, 0, 0));
    }
};

QTEST_MAIN(TabStripTest)
#include "tabstrip_test.moc"
