#pragma once

class QApplication;

namespace kz::ui {
// What every run needs before its first window: Qt's Chinese dialog texts,
// the fonts, the window registry.
void setUpApplication(QApplication& app);
}  // namespace kz::ui
