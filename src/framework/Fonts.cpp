#include "framework/Fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>

namespace kz::ui {

namespace {

// First the program's own Latin face: the Song faces draw "l" like "1". It
// has only letters and digits, with the Song face's line metrics, so Chinese
// and the signs stay in the Song face and no line grows. Then the Song-style
// faces, with fallbacks for machines without the design's.
const QStringList kSong{"KZ Latin",
                        "SimSun",
                        "宋体",
                        "AR PL UMing CN",
                        "AR PL UMing",
                        "Noto Serif CJK SC",
                        "Source Han Serif SC",
                        "WenQuanYi Micro Hei",
                        "serif"};

// Registered on first use rather than at start-up alone, so that every
// font made here, in the program or a test, finds the face.
void addLatinFace() {
    // Regular only: bold is emboldened by Qt, as the Song face's is, so both
    // measure alike.
    static const bool added = [] {
        const bool ok = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/KZLatin-Regular.ttf")) >= 0;
        if (!ok) qWarning("the Latin face is missing: Latin text falls back to the Song face");
        return ok;
    }();
    (void)added;
}

// Signs drawn as large as the full-width "＋－＝" beside them.
const QString kSigns = QStringLiteral("×÷");

}  // namespace

QFont songFont(double pointSize, bool bold) {
    addLatinFace();
    QFont f;
    f.setFamilies(kSong);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

QFont faceForCaption(const QFont& font, const QString& caption) {
    // Every face has small "×" and "÷" beside its full-width "＋－＝", so an
    // operator key draws them larger until they are as large as its "＋".
    if (caption.size() != 1 || !kSigns.contains(caption[0])) return font;
    const QFontMetricsF m(font);
    auto size = [&](const QString& t) {
        const QRectF r = m.tightBoundingRect(t);
        return std::max(r.width(), r.height());
    };
    const qreal sign = size(caption);
    const qreal plus = size(QStringLiteral("＋"));
    if (sign <= 0 || plus <= sign) return font;
    QFont f = font;
    f.setPointSizeF(font.pointSizeF() * plus / sign);
    return f;
}

void installDefaultFonts() {
    QApplication::setFont(labelFont());
    for (const char* cls : {"QLabel", "QPushButton", "QRadioButton", "QCheckBox", "QGroupBox", "QMenu", "QMenuBar"})
        QApplication::setFont(labelFont(), cls);
    for (const char* cls : {"QLineEdit", "QTextEdit", "QPlainTextEdit", "QComboBox", "QListWidget"})
        QApplication::setFont(boxFont(), cls);
}

}  // namespace kz::ui
