// The splash on a hand-turned clock: opacity never above 250, the pictures
// and their chimes at their times, then the ball; and once with the real clock.
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>

#include "app/FloatingBall.h"
#include "app/Splash.h"
#include "calc/CalcBar.h"
#include "windowtest.h"

using namespace kz;

class SplashTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() { test::setUpProgram(seam); }
    void cleanup() { ui::WindowRegistry::instance().destroyAll(); }

    void replaysItsTimelineAndGivesWayToTheBall() {
        qint64 now = 0;
        ui::Splash splash([&now] { return now; });
        QSignalSpy chimes(&splash, &ui::Splash::chimed);
        splash.start();
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.objectName(), QString("Form1"));
        QCOMPARE(splash.size(), QSize(150, 149));
        QCOMPARE(splash.geometry().center(), splash.screen()->geometry().center());
        QCOMPARE(splash.windowOpacity(), 0.0);
        QVERIFY(splash.waiting());

        auto image = [&](int n) { return test::child<QLabel>(&splash, qPrintable(QString("Image%1").arg(n))); };
        const std::map<qint64, int> shownFrom = {{5, 1}, {1600, 2}, {2400, 3}};
        double highest = 0;
        int steps = 0;
        double last = 0;
        for (now = 1; now < 2700; ++now) {
            splash.advance();
            const double o = splash.windowOpacity();
            if (o != last) ++steps;
            last = o;
            highest = std::max(highest, o);
            for (const auto& [from, n] : shownFrom)
                if (image(n)->isVisible() != (now >= from))
                    QFAIL(qPrintable(QString("Image%1 at %2 ms").arg(n).arg(now)));
            if (now == 5) QCOMPARE(chimes.count(), 1);
        }
        QCOMPARE(steps, 49);
        QVERIFY(highest <= 250 / 255.0 + 1e-9);
        QVERIFY(qAbs(last - 250 / 255.0) < 0.01);
        QCOMPARE(chimes.count(), 3);
        QCOMPARE(chimes.at(2).at(0).toInt(), 3);
        QVERIFY(splash.isVisible());
        QVERIFY(!ui::WindowRegistry::instance().existing("Form0"));

        now = 2700;
        splash.advance();
        QVERIFY(!splash.isVisible());
        auto* ball = qobject_cast<ui::FloatingBall*>(ui::WindowRegistry::instance().existing("Form0"));
        QVERIFY(ball && ball->isVisible());
        QVERIFY(ball->bar() && !ball->bar()->isVisible());
        // Nothing is left to wake the program up.
        QVERIFY(!splash.waiting());
    }

    void runsOnItsOwnTimers() {
        ui::Splash splash;
        splash.start();
        QTRY_VERIFY_WITH_TIMEOUT(ui::WindowRegistry::instance().existing("Form0"), 10000);
        QVERIFY(!splash.isVisible());
        QVERIFY(test::child<QLabel>(&splash, "Image3")->isVisibleTo(&splash));
        QVERIFY(!splash.waiting());
    }
};

QTEST_MAIN(SplashTest)
#include "splash_test.moc"
