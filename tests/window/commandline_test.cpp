// The command line: the options a start takes, Qt's own options left alone,
// and the usage errors with their exit status.
#include <QTest>

#include "app/CommandLine.h"

using kz::ui::CommandLine;
using Action = CommandLine::Action;

class CommandLineTest : public QObject {
    Q_OBJECT

    static CommandLine parse(QStringList args) {
        args.prepend(QStringLiteral("KelbrinZorvan2010"));
        return kz::ui::parseCommandLine(args);
    }

private slots:
    void requests_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("panel");
        QTest::addColumn<bool>("bar");
        QTest::addColumn<bool>("noSplash");
        QTest::addColumn<QString>("tool");
        QTest::newRow("none") << QStringList{} << false << false << false << "";
        QTest::newRow("panel") << QStringList{"--panel"} << true << false << false << "";
        QTest::newRow("bar") << QStringList{"--bar"} << false << true << false << "";
        QTest::newRow("no splash") << QStringList{"--no-splash"} << false << false << true << "";
        QTest::newRow("tool by name") << QStringList{"--tool", "最大公因数"} << false << false << false << "Form12";
        QTest::newRow("tool with =") << QStringList{"--tool=最小公倍数"} << false << false << false << "Form13";
        QTest::newRow("tool by form") << QStringList{"--tool", "Form12"} << false << false << false << "Form12";
        QTest::newRow("everything") << QStringList{"--no-splash", "--bar", "--panel", "--tool", "Form13"} << true
                                    << true << true << "Form13";
        QTest::newRow("Qt's platform") << QStringList{"-platform", "offscreen", "--panel"} << true << false << false
                                       << "";
        QTest::newRow("Qt's style and reverse")
            << QStringList{"-style", "fusion", "-reverse"} << false << false << false << "";
    }
    void requests() {
        QFETCH(QStringList, args);
        const CommandLine c = parse(args);
        QCOMPARE(c.action, Action::Run);
        QCOMPARE(c.exitCode, 0);
        QTEST(c.request.panel, "panel");
        QTEST(c.request.bar, "bar");
        QTEST(c.request.noSplash, "noSplash");
        QTEST(QString::fromStdString(c.request.tool), "tool");
    }

    void helpAndVersionStartNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("--help") << QStringList{"--help"} << int(Action::Help) << "--no-splash";
        QTest::newRow("-h") << QStringList{"-h"} << int(Action::Help) << "--tool";
        QTest::newRow("--help-all") << QStringList{"--help-all"} << int(Action::Help) << "--panel";
        QTest::newRow("help wins over a bad tool")
            << QStringList{"--help", "--tool", "x"} << int(Action::Help) << "--bar";
        QTest::newRow("--version") << QStringList{"--version"} << int(Action::Version) << "KelbrinZorvan2010 1.9\n";
        QTest::newRow("-v") << QStringList{"-v"} << int(Action::Version) << "1.9";
    }
    void helpAndVersionStartNothing() {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(QString, mentions);
        const CommandLine c = parse(args);
        QCOMPARE(int(c.action), action);
        QCOMPARE(c.exitCode, 0);
        QVERIFY2(c.text.contains(mentions), qPrintable(c.text));
    }

    void usageErrorsExitWithTwo_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "bogus";
        QTest::newRow("unknown short option") << QStringList{"-x"} << "x";
        QTest::newRow("stray argument") << QStringList{"file.txt"} << "file.txt";
        QTest::newRow("tool without a name") << QStringList{"--tool"} << "--tool";
        QTest::newRow("unknown tool") << QStringList{"--tool", "不存在的工具"} << "不存在的工具";
        QTest::newRow("empty tool") << QStringList{"--tool", ""} << "--help";
        QTest::newRow("two tools") << QStringList{"--tool", "Form12", "--tool", "Form13"} << "--tool";
        QTest::newRow("panel with a value") << QStringList{"--panel=yes"} << "panel";
    }
    void usageErrorsExitWithTwo() {
        QFETCH(QStringList, args);
        QFETCH(QString, mentions);
        const CommandLine c = parse(args);
        QCOMPARE(c.action, Action::UsageError);
        QCOMPARE(c.exitCode, 2);
        QVERIFY2(c.text.startsWith("KelbrinZorvan2010: "), qPrintable(c.text));
        QVERIFY2(c.text.contains(mentions), qPrintable(c.text));
        QVERIFY(c.text.endsWith('\n'));
    }
};

QTEST_MAIN(CommandLineTest)
#include "commandline_test.moc"
