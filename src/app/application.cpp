#include "app/application.h"

#include <QApplication>
#include <filesystem>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/shorttexts.h"
#include "app/windows.h"
#include "calc/evaluator.h"
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

QString resourceText(const char* path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

std::string shortText(std::string_view key) {
    static const ShortTexts texts = parseShortTexts(resourceText(":/resources/help/strings.txt").toStdString());
    return kz::shortText(texts, key);
}

Evaluator& expressionEvaluator() {
    // The constants file is found beside the program when started from elsewhere.
    static Evaluator evaluator(
        ConstantsLocator::searching(std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String())));
    return evaluator;
}

}  // namespace kz::ui
