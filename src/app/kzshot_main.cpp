// kzshot OUT.png FORM [ACTION...]: opens one window as the program does,
// applies kztool's actions to it, and saves a picture of the window. For
// screenshots in the docs and for looking at a window without a desktop
// (it runs on the offscreen platform unless told otherwise).
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/application.h"
#include "app/toolsession.h"
#include "framework/ToolWindow.h"
#include "framework/UiSeam.h"
#include "framework/WindowRegistry.h"

namespace {
// Message boxes would block a headless run: print them instead.
class PrintingSeam : public kz::ui::Seam {
public:
    void showMessage(QWidget*, const kz::Message& m) override {
        std::printf("message: %s|%s\n", m.title.c_str(), m.text.c_str());
    }
    void setClipboardText(const QString& t) override { std::printf("clipboard: %s\n", qPrintable(t)); }
    void beep() override { std::printf("beep\n"); }
    void openUrl(const QUrl& u) override { std::printf("url: %s\n", qPrintable(u.toString())); }
};
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kzshot OUT.png FORM [ACTION...]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kz::ui::setUpApplication(app);
    PrintingSeam seam;
    kz::ui::setSeam(&seam);
    QWidget* w = kz::ui::WindowRegistry::instance().open(QString::fromUtf8(argv[2]));
    if (!w) {
        std::fprintf(stderr, "kzshot: unknown window %s\n", argv[2]);
        return 2;
    }
    if (auto* tool = qobject_cast<kz::ui::ToolWindow*>(w)) {
        kz::WindowModel& m = tool->model();
        for (int i = 3; i < argc; ++i) {
            if (const std::string problem = kz::actionProblem(m, argv[i]); !problem.empty()) {
                std::fprintf(stderr, "kzshot: %s\n", problem.c_str());
                return 2;
            }
            kz::applyAction(m, argv[i]);
            tool->sync();
        }
    }
    QTimer::singleShot(100, [&] {
        const bool ok = w->grab().save(QString::fromUtf8(argv[1]));
        app.exit(ok ? 0 : 1);
    });
    return app.exec();
}
