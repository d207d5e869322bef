// Space and figures (Form44): its pages and texts, the held-down answer, the
// further-reading link, and its skinned tab strip.
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocumentFragment>

#include "drawing/CSSTab.h"
#include "windowtest.h"

using namespace kz;

class SpaceTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void cleanup() { ui::WindowRegistry::instance().destroyAll(); }

    void opensOnTheVanishingSquare() {
        QWidget* w = test::openForm("Form44");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("空间与图形 - KelbrinZorvan"));
        auto* tabs = test::child<QTabWidget>(w, "SSTab1");
        QCOMPARE(tabs->count(), 5);
        const char* captions[] = {"消失的图形A", "消失的图形B", "折出一个椭圆", "最多几个直角", "扩展阅读"};
        for (int i = 0; i < 5; ++i) QCOMPARE(tabs->tabText(i), QString(captions[i]));
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(tabs->findChild<ui::CSSTab*>());
        for (const char* name : {"Picture1", "Picture2", "Picture3", "Picture4(0)"})
            QVERIFY2(!test::child<QLabel>(w, name)->pixmap().isNull(), name);
        QVERIFY(test::child<QLabel>(w, "Picture1")->isVisible());
        QVERIFY(!test::child<QLabel>(w, "Picture3")->isVisible());
        // Page controls stand in the tab control's coordinates, below the row.
        QCOMPARE(test::child<QWidget>(w, "Picture4(3)")->mapTo(tabs, QPoint(0, 0)), QPoint(14, 34));
        // Both puzzle pictures of a page have the same size, side by side.
        QCOMPARE(test::child<QLabel>(w, "Picture1")->size(), test::child<QLabel>(w, "Picture2")->size());
    }

    void texts() {
        QWidget* w = test::openForm("Form44");
        auto text = [&](const char* name) {
            return QTextDocumentFragment::fromHtml(test::child<QLabel>(w, name)->text()).toPlainText();
        };
        QVERIFY(text("Label2(2)").startsWith("    一个正方形可以被切成几块"));
        QVERIFY(text("Label2(1)").startsWith("    设三角形内侧有阴影，外侧没有。"));
        QCOMPARE(text("Label2(3)"), QString("    "
                                            "用3根小棒最多能组成多少直角呢？大多数人的第一个方案就是下图，共组成8个直角"
                                            "。你认为能组成更多的直角吗？"));
        QVERIFY(text("Label2(4)").endsWith("点击下面按钮即可在网页上浏览。"));
        const QStringList ellipse = text("Label2(0)").split('\n');
        QCOMPARE(ellipse.size(), 6);
        QVERIFY(ellipse[0].startsWith("    我们可以通过折纸折出很多形状"));
        const QString steps = "①②③④⑤";
        for (int i = 1; i < 6; ++i) QVERIFY(ellipse[i].startsWith(steps[i - 1]));
        const char* directions[] = {"东", "西", "南", "北", "上", "下", "立体图形:共12个直角"};
        for (int i = 0; i < 7; ++i) QCOMPARE(text(qPrintable(QString("Label1(%1)").arg(i))), QString(directions[i]));
    }

    void theAnswerShowsWhileTheButtonIsHeld() {
        QWidget* w = test::openForm("Form44");
        test::child<QTabWidget>(w, "SSTab1")->setCurrentIndex(3);
        auto* answer = test::child<QPushButton>(w, "Command1");
        auto* frame = test::child<QWidget>(w, "Frame1");
        QCOMPARE(answer->text(), QString("查看答案"));
        QVERIFY(!frame->isVisible());
        QTest::mousePress(answer, Qt::LeftButton);
        QVERIFY(frame->isVisible());
        QTest::mouseRelease(answer, Qt::LeftButton);
        QVERIFY(!frame->isVisible());
    }

    void furtherReadingOpensOurPage() {
        QWidget* w = test::openForm("Form44");
        seam.urls.clear();
        auto* tabs = test::child<QTabWidget>(w, "SSTab1");
        tabs->setCurrentIndex(4);
        auto* reading = test::child<QPushButton>(w, "Command5");
        QCOMPARE(reading->text(), QString("点此进行扩展阅读"));
        reading->click();
        QCOMPARE(seam.urls.size(), size_t(1));
        QVERIFY(seam.urls[0].toString().startsWith("https://kelbrinzorvan.example.org/"));
        QCOMPARE(tabs->currentIndex(), 4);
    }
};

QTEST_MAIN(SpaceTest)
#include "space_test.moc"
