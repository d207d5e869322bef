#pragma once

#include <QMainWindow>
#include <QPointer>
#include <vector>

#include "framework/WindowRegistry.h"

class QMenu;

namespace kz::ui {

class MagneticDock;
class ToolWindow;

// Form2: the front door, whose menu bar is the whole tool catalogue.
class MainPanel : public QMainWindow, public Reloadable {
    Q_OBJECT
public:
    MainPanel();
    // Each load (every showing, and 搜索 in the help menu) opens a new search window.
    void reload() override;

    MagneticDock& oMagneticWnd() { return *dock_; }
    // The search windows this panel owns, oldest first (hidden ones included).
    std::vector<ToolWindow*> searchWindows() const;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void load();
    void openSearchWindow();
    bool centred_ = false;
    bool loadPending_ = true;
    MagneticDock* dock_;
    std::vector<QPointer<ToolWindow>> searches_;
};

}  // namespace kz::ui
