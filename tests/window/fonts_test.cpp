// The Latin face ahead of the Song face: "l", "1" and "I" tell apart, while
// lines stay exactly as tall as in the Song face alone and Chinese (and the
// Latin-1 signs) still come from the Song face.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include "framework/Fonts.h"
#include "windowtest.h"

using namespace kz;

namespace {

const QString kLatin = QStringLiteral("KZ Latin");

// The same font without the Latin face: what the windows were designed with.
QFont songAlone(const QFont& font) {
    QFont f = font;
    QStringList families = f.families();
    families.removeAll(kLatin);
    f.setFamilies(families);
    return f;
}

QImage rendered(const QFont& font, const QString& text) {
    const QFontMetrics m(font);
    QImage image(m.horizontalAdvance(text) + 4, m.height() + 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(2, 2 + m.ascent(), text);
    return image;
}

}  // namespace

class FontsTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;

private slots:
    void initTestCase() {
        test::setUpProgram(seam);
        if (!QFontDatabase::families().contains(QStringLiteral("AR PL UMing CN")))
            QSKIP("the Song face is not installed");
    }

    void latinFaceIsTheFirstChoice_data() {
        QTest::addColumn<bool>("bold");
        QTest::newRow("regular") << false;
        QTest::newRow("bold") << true;
    }
    void latinFaceIsTheFirstChoice() {
        QFETCH(bool, bold);
        const QFont f = ui::songFont(10.5, bold);
        QCOMPARE(f.families().value(0), kLatin);
        QCOMPARE(QFontInfo(f).family(), kLatin);
        QCOMPARE(QFontInfo(f).bold(), bold);
        QCOMPARE(QFontInfo(songAlone(f)).family(), QStringLiteral("AR PL UMing CN"));
    }

    void lineMetricsAreTheSongFaces_data() {
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        for (double pt : {9.0, 10.5, 12.0, 7.5, 14.0, 21.0, 26.0})
            for (bool bold : {false, true}) QTest::addRow("%gpt%s", pt, bold ? " bold" : "") << pt << bold;
    }
    void lineMetricsAreTheSongFaces() {
        QFETCH(double, points);
        QFETCH(bool, bold);
        const QFont f = ui::songFont(points, bold);
        const QFontMetricsF with(f), without(songAlone(f));
        QCOMPARE(with.ascent(), without.ascent());
        QCOMPARE(with.descent(), without.descent());
        QCOMPARE(with.leading(), without.leading());
        QCOMPARE(with.lineSpacing(), without.lineSpacing());
        QCOMPARE(with.height(), without.height());
    }

    // A line mixing both faces takes the taller of them: it must not grow.
    void mixedLinesKeepTheirHeight_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("cone note") << QStringLiteral("r为圆锥底面半径，\nh为圆锥的高，\n……l为圆锥的母线");
        QTest::newRow("letters with tails") << QStringLiteral("y＝\ngoogol\nKelbrinZorvan2010 版本 1.9");
    }
    void mixedLinesKeepTheirHeight() {
        QFETCH(QString, text);
        for (const QFont& f : {ui::labelFont(), ui::boxFont()}) {
            QLabel with(text), without(text);
            with.setFont(f);
            without.setFont(songAlone(f));
            QCOMPARE(with.sizeHint().height(), without.sizeHint().height());
        }
    }

    void lOneAndCapitalIDiffer() {
        for (const QFont& f : {ui::labelFont(), ui::boxFont(), ui::songFont(9)}) {
            const QImage l = rendered(f, "l"), one = rendered(f, "1"), capitalI = rendered(f, "I");
            QVERIFY(l != one);
            QVERIFY(l != capitalI);
            QVERIFY(one != capitalI);
        }
    }

    // Only letters and digits come from the Latin face: Chinese, the signs
    // (narrow boxes hold a lone "=") and the space are drawn as before.
    void otherTextStaysInTheSongFace_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("chinese") << QStringLiteral("圆锥的母线");
        QTest::newRow("full-width") << QStringLiteral("＋－＝：……");
        QTest::newRow("latin-1 signs") << QStringLiteral("×÷");
        QTest::newRow("ascii signs") << QStringLiteral("= < > + - ( ) . , : ^ /");
    }
    void otherTextStaysInTheSongFace() {
        QFETCH(QString, text);
        const QFont f = ui::labelFont();
        QCOMPARE(rendered(f, text), rendered(songAlone(f), text));
    }
};

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
