#include "framework/Fonts.h"

#include <QApplication>

namespace kz::ui {

QFont songFont(double pointSize, bool bold) {
    QFont f;
    f.setFamilies({"SimSun", "宋体", "AR PL UMing CN", "AR PL UMing", "Noto Serif CJK SC",
                   "Source Han Serif SC", "WenQuanYi Micro Hei", "serif"});
    f.setPointSizeF(pointSize);
    f.setBold(bold);
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
