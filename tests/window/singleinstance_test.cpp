// One running program per user: a later start hands its request to the
// running one and exits at once, a crashed run does not block the next, and
// a running one that does not answer is reported, not waited on forever.
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/FloatingBall.h"
#include "app/SingleInstance.h"
#include "app/application.h"
#include "app/startrequest.h"
#include "calc/CalcBar.h"
#include "framework/catalogue.h"
#include "windowtest.h"

using namespace kz;

class SingleInstanceTest : public QObject {
    Q_OBJECT
    test::RecordingSeam seam;
    QTemporaryDir runtime;
    std::unique_ptr<ui::SingleInstance> running;

    // The program itself, in its own process, with this test's runtime folder.
    static void startProgram(QProcess& p, const QString& runtimeDir, const QStringList& args) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtimeDir);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("WAYLAND_DISPLAY");
        env.remove("XDG_SESSION_TYPE");
        p.setProcessEnvironment(env);
        p.start(KZ_PROGRAM, args);
        QVERIFY(p.waitForStarted());
    }
    // Waits with the event loop running, so this process can answer the program.
    static void waitForExit(QProcess& p, int ms) { QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, ms); }
    static QWidget* shown(const char* form) {
        QWidget* w = ui::WindowRegistry::instance().existing(form);
        return w && w->isVisible() ? w : nullptr;
    }

private slots:
    void initTestCase() {
        QVERIFY(runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        test::setUpProgram(seam);
        running = std::make_unique<ui::SingleInstance>();
        QVERIFY(running->defaultKey().startsWith(runtime.path()));
        QCOMPARE(running->start("unused"), ui::SingleInstance::Role::Running);
        connect(running.get(), &ui::SingleInstance::received, this, [](const QByteArray& m) {
            if (const auto r = decodeRequest(m.toStdString())) ui::carryOut(*r, true);
        });
    }
    void cleanup() { ui::WindowRegistry::instance().destroyAll(); }

    void aLaterStartHandsOverAndExits_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("form");
        QTest::newRow("no option: the main panel") << QStringList{} << "Form2";
        QTest::newRow("--no-splash alone: the main panel") << QStringList{"--no-splash"} << "Form2";
        QTest::newRow("--panel") << QStringList{"--panel"} << "Form2";
        QTest::newRow("--tool by name") << QStringList{"--tool", "最大公因数"} << "Form12";
        QTest::newRow("--tool by form") << QStringList{"--tool", "Form13"} << "Form13";
        QTest::newRow("--tool 搜索: the panel, which brings its search window")
            << QStringList{"--tool", "搜索"} << "Form2";
    }
    void aLaterStartHandsOverAndExits() {
        QFETCH(QStringList, args);
        QFETCH(QString, form);
        QProcess later;
        startProgram(later, runtime.path(), args);
        waitForExit(later, 15000);
        QCOMPARE(later.exitStatus(), QProcess::NormalExit);
        QCOMPARE(later.exitCode(), 0);
        QTRY_VERIFY(shown(form.toLatin1().constData()));
        // Only what was asked for.
        if (form != "Form2") QVERIFY(!shown("Form2"));
        QVERIFY(!shown("Form0"));
    }

    void aLaterStartOpensTheBarBesideTheBall() {
        QProcess later;
        startProgram(later, runtime.path(), {"--bar"});
        waitForExit(later, 15000);
        QCOMPARE(later.exitCode(), 0);
        QTRY_VERIFY(shown("Form0"));
        auto* ball = qobject_cast<ui::FloatingBall*>(shown("Form0"));
        QVERIFY(ball && ball->bar());
        QTRY_VERIFY(ball->bar()->isVisible());
        QVERIFY(!shown("Form2"));
    }

    void aToolThatIsNotBuiltIsReportedWithoutHandingOver() {
        // Any catalogue entry whose window is not built yet.
        QString missing;
        for (const CatalogueEntry& e : catalogue())
            if (e.kind == EntryKind::Command && e.form.rfind("Form", 0) == 0 && e.itemName != "HelpSearch" &&
                !ui::WindowRegistry::instance().has(QString::fromUtf8(e.form.data(), qsizetype(e.form.size()))))
                missing = QString::fromStdString(toolName(e.caption));
        if (missing.isEmpty()) QSKIP("every tool of the catalogue is built");
        QProcess later;
        startProgram(later, runtime.path(), {"--tool", missing});
        waitForExit(later, 15000);
        QCOMPARE(later.exitCode(), 1);
        QVERIFY(!later.readAllStandardError().isEmpty());
        QTest::qWait(100);
        QVERIFY(!shown("Form2"));
    }

    void aStrangeClientIsIgnored() {
        QLocalSocket s;
        s.connectToServer(ui::SingleInstance::defaultKey());
        QVERIFY(s.waitForConnected(2000));
        s.write("KZ1 tool=Form2;rm -rf\nmore\n");
        QTRY_VERIFY(s.bytesAvailable() > 0 || s.state() == QLocalSocket::UnconnectedState);
        QTest::qWait(100);
        QVERIFY(!shown("Form2"));
    }

    void twoProgramsLeaveOneAndACrashDoesNotBlockTheNext() {
        QTemporaryDir own;
        QProcess first;
        startProgram(first, own.path(), {"--no-splash"});
        QTest::qWait(300);
        QVERIFY(first.state() == QProcess::Running);

        QProcess second;
        startProgram(second, own.path(), {});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // A crash leaves its lock and socket behind; the next start takes over.
        first.kill();  // SIGKILL: no clean-up runs
        QVERIFY(first.waitForFinished(5000));
        QProcess third;
        startProgram(third, own.path(), {"--no-splash"});
        QVERIFY(!third.waitForFinished(1500));
        QCOMPARE(third.state(), QProcess::Running);
        third.kill();
        QVERIFY(third.waitForFinished(5000));
    }

    void aRunningProgramThatDoesNotAnswerIsReported() {
        QTemporaryDir own;
        QLockFile held(own.filePath("org.example.kelbrinzorvan.lock"));
        held.setStaleLockTime(0);
        QVERIFY(held.tryLock(0));
        QProcess later;
        startProgram(later, own.path(), {});
        QVERIFY(later.waitForFinished(15000));
        QCOMPARE(later.exitCode(), 1);
        QVERIFY(!later.readAllStandardError().isEmpty());
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "singleinstance_test.moc"
