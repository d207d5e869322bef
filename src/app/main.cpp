#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <vector>

#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "app/Splash.h"
#include "app/application.h"
#include "app/startrequest.h"
#include "app/version.h"
#include "framework/WindowRegistry.h"

namespace {

std::string env(const char* name) { return qEnvironmentVariable(name).toStdString(); }

// Runs once when the splash hides, which is when the ball appears.
class AfterSplash : public QObject {
public:
    explicit AfterSplash(kz::StartRequest request) : request_(std::move(request)) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Hide && !done_) {
            done_ = true;
            watched->removeEventFilter(this);
            // After the splash has opened the ball, which takes the focus.
            QTimer::singleShot(0, [request = request_] { kz::ui::carryOut(request, false); });
        }
        return false;
    }

private:
    kz::StartRequest request_;
    bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const kz::ui::CommandLine commandLine = kz::ui::readCommandLine(argc, argv);
    switch (commandLine.action) {
    case kz::ui::CommandLine::Action::Run: break;
    case kz::ui::CommandLine::Action::UsageError:
        std::fputs(commandLine.text.toLocal8Bit().constData(), stderr);
        return commandLine.exitCode;
    default:
        std::fputs(commandLine.text.toLocal8Bit().constData(), stdout);
        return commandLine.exitCode;
    }
    const kz::StartRequest& request = commandLine.request;

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
    QObject::connect(&instance, &kz::ui::SingleInstance::received, [](const QByteArray& message) {
        if (const auto later = kz::decodeRequest(message.toStdString())) kz::ui::carryOut(*later, true);
    });

    if (request.noSplash) {
        kz::ui::WindowRegistry::instance().open("Form0");
        kz::ui::carryOut(request, false);
        return app.exec();
    }
    kz::ui::Splash splash;
    AfterSplash afterSplash(request);
    splash.installEventFilter(&afterSplash);
    splash.Form_Load();
    return app.exec();
}
