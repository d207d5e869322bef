#include "framework/Fonts.h"

#include <QApplication>
#include <QFontMetricsF>
#include <algorithm>

namespace kz::ui {

namespace {

// The Song-style faces, with fallbacks for machines without the design's.
const QStringList kSong{"SimSun", "宋体", "AR PL UMing CN", "AR PL UMing", "Noto Serif CJK SC",
                        "Source Han Serif SC", "WenQuanYi Micro Hei", "serif"};

// Signs drawn as large as the full-width "＋－＝" beside them.
const QString kSigns = QStringLiteral("×÷");

}  // namespace

QFont songFont(double pointSize, bool bold) {
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
