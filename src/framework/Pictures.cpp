#include "framework/Pictures.h"

#include <QGuiApplication>

namespace kz::ui {

QPixmap picture(const QString& path) {
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
        const QString twice =
            dot < 0 ? path + QStringLiteral("@2x") : path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
        QPixmap sharp(twice);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(path);
}

}  // namespace kz::ui
