#include "windowtest.h"

#include "app/application.h"

namespace kz::test {

void setUpProgram(RecordingSeam& seam) {
    ui::setUpApplication(*qApp);
    ui::setSeam(&seam);
}

QWidget* openForm(const char* form) {
    QWidget* w = ui::WindowRegistry::instance().open(form);
    if (w) {
        (void)QTest::qWaitForWindowExposed(w);
    }
    return w;
}

void paste(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    box->insert(text);
}

}  // namespace kz::test
