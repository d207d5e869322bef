#include <QApplication>

#include "app/Splash.h"
#include "app/application.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kz::ui::setUpApplication(app);
    // The program lives until "退出" on the ball's menu, whatever windows close.
    QApplication::setQuitOnLastWindowClosed(false);
    kz::ui::Splash splash;
    splash.Form_Load();
    return app.exec();
}
