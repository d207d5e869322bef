#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/version.h"
#include "framework/UiSeam.h"

namespace kz::ui {

namespace {

QString programName() { return qs(kProductName); }

CommandLine usageError(const QString& message) {
    CommandLine c;
    c.action = CommandLine::Action::UsageError;
    c.exitCode = 2;
    c.text = QStringLiteral("%1: %2\n请用 --help 查看可用的选项。\n").arg(programName(), message);
    return c;
}

// Qt's platform options, taken by QGuiApplication before we see the rest.
// Known here only so that they are not unknown options.
const char* const kQtValueOptions[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",     "display", "geometry",     "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "style",         "stylesheet", "session", "qmljsdebugger"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's options have one dash ("-platform"), so single-dash words are options too.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("%1 %2：中小学数学工具箱。不带选项时先显示启动画面，然后在屏幕右边显示悬浮球；"
                       "程序已在运行时，再次启动会打开正在运行的程序的主面板。")
            .arg(programName(), qs(kVersion)));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption panel("panel", QStringLiteral("同时打开主面板。"));
    const QCommandLineOption bar("bar", QStringLiteral("打开计算栏。"));
    const QCommandLineOption tool(
        "tool", QStringLiteral("打开一个工具窗口，用搜索窗口里列出的工具名（如“最大公因数”）或窗口名（如 Form12）。"),
        QStringLiteral("NAME"));
    const QCommandLineOption noSplash("no-splash", QStringLiteral("不显示启动画面，不播放声音，直接显示悬浮球。"));
    parser.addOptions({panel, bar, tool, noSplash});
    for (const char* name : kQtValueOptions) {
        QCommandLineOption o(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption o(QString::fromLatin1(name));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }

    if (!parser.parse(arguments)) return usageError(parser.errorText());
    // --help-all is the parser's own; Qt's options are Qt's business, so both give the same text.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        CommandLine c;
        c.action = CommandLine::Action::Help;
        c.text = parser.helpText();
        return c;
    }
    if (parser.isSet(version)) {
        CommandLine c;
        c.action = CommandLine::Action::Version;
        c.text = QStringLiteral("%1 %2\n").arg(programName(), qs(kVersion));
        return c;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("多余的参数“%1”。").arg(parser.positionalArguments().first()));

    CommandLine c;
    c.request.panel = parser.isSet(panel);
    c.request.bar = parser.isSet(bar);
    c.request.noSplash = parser.isSet(noSplash);
    if (parser.isSet(tool)) {
        const QStringList names = parser.values(tool);
        if (names.size() > 1) return usageError(QStringLiteral("--tool 只能给一次。"));
        const auto form = toolForm(names.first().toStdString());
        if (!form) return usageError(QStringLiteral("没有名为“%1”的工具。").arg(names.first()));
        c.request.tool = *form;
    }
    return c;
}

CommandLine readCommandLine(int argc, char** argv) {
    // QCoreApplication leaves argv as it is; QApplication, made later, takes its options from it.
    int probeArgc = argc;
    QCoreApplication probe(probeArgc, argv);
    QCoreApplication::setApplicationName(programName());
    QCoreApplication::setApplicationVersion(qs(kVersion));
    QTranslator qtTexts;
    if (qtTexts.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    return parseCommandLine(QCoreApplication::arguments());
}

}  // namespace kz::ui
