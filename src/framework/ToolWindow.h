// The Qt view of a window model: it builds one widget per declared control
// (so every object name comes from the declaration), forwards clicks, keys
// and typing to the model, and mirrors the model's state after each of them.
// What the tool-window conventions share lives here once: Enter, the Up/Down
// chain in screen order, read-only outputs without a context menu, fonts,
// messages and the clipboard through the seam, long computations off the
// user-interface thread.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>
#include <thread>
#include <unordered_map>
#include <vector>

#include "framework/ControlAdapters.h"
#include "framework/WindowRegistry.h"
#include "framework/windowmodel.h"

class QTabWidget;

namespace kz::ui {

class WorkingPane;

class ToolWindow : public QDialog, public Reloadable, private ControlHost {
    Q_OBJECT
public:
    explicit ToolWindow(std::unique_ptr<WindowModel> model, QWidget* parent = nullptr, Qt::WindowFlags extraFlags = {});
    ~ToolWindow() override;

    WindowModel& model() { return *model_; }
    // The widget of a declared control, or nullptr.
    QWidget* control(std::string_view name) const;
    // The boxes the Up/Down arrows walk, in declaration order (enabled, shown).
    std::vector<QWidget*> inputChain() const;
    bool computing() const { return worker_.joinable() && !workerDone_; }

    void reload() override;

    // Called for every tab strip a window declares, e.g. to skin it.
    static void setTabDecorator(void (*decorate)(QTabWidget*));

    // Mirrors the model into the widgets and shows what it emitted.
    void sync();

    // The working pane of a window that shows its working, else nullptr.
    WorkingPane* workingPane() const { return pane_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void build();
    void layOutRows();
    void placeAbsolute();
    QPoint pageOffset(const ControlDecl& d) const;
    void syncControl(ControlAdapter& c);
    void edited(const std::string& name, const std::string& text, int caret) override;
    void selected(const std::string& name) override;
    void pressed(const std::string& name) override;
    bool mirroring() const override { return syncing_; }
    QObject* keyWatcher() override { return this; }
    void runPendingJob();
    template <typename F>
    void act(F&& f);

    std::unique_ptr<WindowModel> model_;
    std::vector<std::unique_ptr<ControlAdapter>> adapters_;
    std::unordered_map<std::string, QWidget*> widgets_;
    std::vector<std::pair<const ControlDecl*, QWidget*>> ordered_;
    QTabWidget* tabs_ = nullptr;
    std::vector<QWidget*> pages_;
    bool focused_ = false;
    std::string pendingFocus_;
    bool syncing_ = false;
    std::jthread worker_;
    bool workerDone_ = true;
    WorkingPane* pane_ = nullptr;
};

}  // namespace kz::ui
