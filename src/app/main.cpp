#include <QApplication>

#include "app/application.h"
#include "framework/WindowRegistry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kz::ui::setUpApplication(app);
    kz::ui::WindowRegistry::instance().open("Form2");
    return app.exec();
}
