// At 200 % every picture comes from its "@2x" twin, so nothing is blurred.
#include <QLabel>
#include <QTest>

#include "app/FloatingBall.h"
#include "app/application.h"
#include "framework/Pictures.h"
#include "windowtest.h"

using namespace kz;

class HiDpiTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() {
        test::setUpProgram(seam);
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
    }

    void everyPictureHasItsTwinAtTwiceTheSize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("panel") << "panel" << QSize(321, 242);
        QTest::newRow("ball") << "ball" << QSize(34, 50);
        QTest::newRow("splash") << "splash" << QSize(150, 149);
        QTest::newRow("splash1") << "splash1" << QSize(150, 150);
        QTest::newRow("splash2") << "splash2" << QSize(150, 150);
        QTest::newRow("splash3") << "splash3" << QSize(150, 150);
        QTest::newRow("icon") << "icon" << QSize(64, 64);
        QTest::newRow("about") << "about" << QSize(120, 90);
    }
    void everyPictureHasItsTwinAtTwiceTheSize() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QString path = QStringLiteral(":/resources/images/%1.png").arg(name);
        QCOMPARE(QPixmap(path).size(), size);
        const QPixmap p = ui::picture(path);
        QCOMPARE(p.devicePixelRatio(), 2.0);
        QCOMPARE(p.size(), size * 2);
        QCOMPARE(p.deviceIndependentSize().toSize(), size);
    }

    void aPictureWithoutTwinIsUsedAsItIs() {
        const QPixmap p = ui::picture(":/no/such/picture.png");
        QVERIFY(p.isNull());
    }

    void theWindowsShowTheSharpPictures() {
        QWidget* panel = test::openForm("Form2");
        auto* background = test::child<QLabel>(panel, "Picture");
        QCOMPARE(background->pixmap().devicePixelRatio(), 2.0);
        QCOMPARE(background->size(), QSize(321, 242));
        QWidget* about = test::openForm("Form4");
        QCOMPARE(test::child<QLabel>(about, "Image2")->pixmap().devicePixelRatio(), 2.0);
    }
};

int main(int argc, char** argv) {
    // Before the application: the scale is read once, at start.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HiDpiTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "hidpi_test.moc"
