#pragma once

#include <QMainWindow>

#include "framework/WindowRegistry.h"

class QMenu;

namespace kz::ui {

// Form2: the front door, whose menu bar is the whole tool catalogue.
class MainPanel : public QMainWindow, public Reloadable {
    Q_OBJECT
public:
    MainPanel();
    void Form_Load() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void buildMenus();
    bool centred_ = false;
};

}  // namespace kz::ui
