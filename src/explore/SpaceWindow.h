// Space and figures (Form44): four geometry curiosities with pictures, and a
// page that leads to further reading.
#pragma once

#include <QWidget>

class QTabWidget;

namespace kz::ui {

class SpaceWindow : public QWidget {
    Q_OBJECT
public:
    SpaceWindow();

private:
    QTabWidget* tabs_;
};

}  // namespace kz::ui
