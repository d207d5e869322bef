#include "app/application.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <filesystem>

#include "app/FloatingBall.h"
#include "app/shorttexts.h"
#include "app/startrequest.h"
#include "app/version.h"
#include "app/windows.h"
#include "calc/evaluator.h"
#include "framework/Fonts.h"
#include "framework/UiSeam.h"
#include "framework/WindowRegistry.h"

namespace kz::ui {

void setUpApplication(QApplication& app) {
    app.setApplicationName(qs(kProductName));
    app.setApplicationVersion(qs(kVersion));
    // Ties the windows to the installed desktop entry (its icon and name in the desktop's lists).
    QGuiApplication::setDesktopFileName(qs(kAppId));
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtTexts);
    app.setWindowIcon(QIcon::fromTheme(qs(kAppId), QIcon(":/resources/images/icon.png")));
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

void carryOut(const StartRequest& request, bool handedOver) {
    auto& registry = WindowRegistry::instance();
    if (request.panel || (handedOver && !request.opensWindow())) registry.open("Form2");
    if (!request.tool.empty()) registry.open(QString::fromStdString(request.tool));
    // Last: the bar steps aside as soon as another window becomes active.
    if (request.bar)
        if (auto* ball = qobject_cast<FloatingBall*>(registry.open("Form0"))) ball->showBar();
}

}  // namespace kz::ui
