#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <utility>
#include <vector>

#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "app/Splash.h"
#include "app/application.h"
#include "app/startrequest.h"
#include "app/version.h"
#include "framework/WindowRegistry.h"
#include "framework/windowmodel.h"

namespace {

std::string env(const char* name) { return qEnvironmentVariable(name).toStdString(); }

// Holds what is asked for until the splash has given way to the ball: the
// ball takes the focus when it appears, which would send the bar away.
class AfterSplash : public QObject {
public:
    void carryOut(const kz::StartRequest& request, bool handedOver) {
        if (done_) kz::ui::carryOut(request, handedOver);
        else pending_.push_back({request, handedOver});
    }
    // Without a splash everything is carried out at once.
    void splashEnded() {
        done_ = true;
        for (const auto& [request, handedOver] : std::exchange(pending_, {})) kz::ui::carryOut(request, handedOver);
    }
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Hide && !done_) {
            watched->removeEventFilter(this);
            // After the splash has opened the ball.
            QTimer::singleShot(0, this, &AfterSplash::splashEnded);
        }
        return false;
    }

private:
    bool done_ = false;
    std::vector<std::pair<kz::StartRequest, bool>> pending_;
};

}  // namespace

int main(int argc, char** argv) {
    const kz::ui::CommandLine commandLine = kz::ui::readCommandLine(argc, argv);
    switch (commandLine.action) {
        case kz::ui::CommandLine::Action::Run: break;
        case kz::ui::CommandLine::Action::UsageError:
            std::fputs(commandLine.text.toLocal8Bit().constData(), stderr);
            return commandLine.exitCode;
        default: std::fputs(commandLine.text.toLocal8Bit().constData(), stdout); return commandLine.exitCode;
    }
    kz::StartRequest request = commandLine.request;

    // On Wayland the ball, the bar and docking cannot place their windows, so
    // the program asks for XWayland unless the user chose a platform. The
    // choice goes on the command line, not into the environment, so programs
    // started from here (the browser) keep the user's platform.
    const kz::SessionEnvironment session{env("XDG_SESSION_TYPE"), env("WAYLAND_DISPLAY"), env("DISPLAY"),
                                         env("QT_QPA_PLATFORM"), kz::hasPlatformArgument(argc, argv)};
    std::vector<char*> args(argv, argv + argc);
    char platformOption[] = "-platform";
    char xcb[] = "xcb";
    switch (kz::choosePlatform(session)) {
        case kz::PlatformChoice::XWayland:
            args.push_back(platformOption);
            args.push_back(xcb);
            break;
        case kz::PlatformChoice::NoXWayland:
            std::fprintf(stderr,
                         "%s: 这是 Wayland 桌面，但没有 XWayland（DISPLAY 未设置）：悬浮球、计算栏和窗口吸附"
                         "无法把自己放到屏幕边缘。\n",
                         kz::kProductName.data());
            break;
        case kz::PlatformChoice::AsIs: break;
    }
    args.push_back(nullptr);
    int appArgc = static_cast<int>(args.size()) - 1;

    QApplication app(appArgc, args.data());
    kz::ui::setUpApplication(app);
    // The program lives until "退出" on the ball's menu, whatever windows close.
    QApplication::setQuitOnLastWindowClosed(false);

    // A window that another one owns (the panel's search window) comes with its owner.
    if (const kz::WindowType* t = kz::findWindowType(request.tool); t && t->owned) {
        request.tool.clear();
        request.panel = true;
    }
    if (!request.tool.empty() && !kz::ui::WindowRegistry::instance().has(QString::fromStdString(request.tool))) {
        std::fprintf(stderr, "%s: 工具窗口 %s 还没有做好。\n", kz::kProductName.data(), request.tool.c_str());
        return 1;
    }

    kz::ui::SingleInstance instance;
    switch (instance.start(QByteArray::fromStdString(kz::encodeRequest(request)))) {
        case kz::ui::SingleInstance::Role::Running: break;
        case kz::ui::SingleInstance::Role::HandedOver: return 0;
        case kz::ui::SingleInstance::Role::NoAnswer:
            std::fprintf(stderr, "%s: 程序已在运行，但没有回应。\n", kz::kProductName.data());
            return 1;
    }
    AfterSplash afterSplash;
    QObject::connect(&instance, &kz::ui::SingleInstance::received, [&afterSplash](const QByteArray& message) {
        if (const auto later = kz::decodeRequest(message.toStdString())) afterSplash.carryOut(*later, true);
    });
    afterSplash.carryOut(request, false);

    if (request.noSplash) {
        kz::ui::WindowRegistry::instance().open("Form0");
        afterSplash.splashEnded();
        return app.exec();
    }
    kz::ui::Splash splash;
    splash.installEventFilter(&afterSplash);
    splash.start();
    return app.exec();
}
