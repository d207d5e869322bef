#include "app/application.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/windows.h"
#include "framework/Fonts.h"

namespace kz::ui {

void setUpApplication(QApplication& app) {
    app.setApplicationName("KelbrinZorvan2010");
    app.setApplicationVersion("1.9");
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtTexts);
    app.setWindowIcon(QIcon(":/resources/images/icon.png"));
    installDefaultFonts();
    registerWindows();
}

}  // namespace kz::ui
