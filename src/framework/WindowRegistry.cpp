#include "framework/WindowRegistry.h"

namespace kz::ui {

WindowRegistry& WindowRegistry::instance() {
    static WindowRegistry registry;
    return registry;
}

void WindowRegistry::add(const QString& form, Factory factory, bool keepInstance) {
    factories_[form] = Entry{std::move(factory), keepInstance, nullptr};
}

QWidget* WindowRegistry::open(const QString& form) {
    auto it = factories_.find(form);
    if (it == factories_.end()) return nullptr;
    Entry& e = it.value();
    bool reload = false;
    if (!e.window) {
        e.window = e.factory();
        if (!e.window) return nullptr;
        e.window->setObjectName(form);
        e.window->setAttribute(Qt::WA_DeleteOnClose, !e.keepInstance);
    } else if (e.keepInstance && !e.window->isVisible()) {
        reload = true;
    }
    if (reload)
        if (auto* r = dynamic_cast<Reloadable*>(e.window.data())) r->reload();
    bringToFront(e.window);
    return e.window;
}

QWidget* WindowRegistry::existing(const QString& form) const {
    auto it = factories_.find(form);
    return it == factories_.end() ? nullptr : it.value().window.data();
}

void WindowRegistry::destroyAll() {
    for (auto& e : factories_) {
        delete e.window.data();
        e.window = nullptr;
    }
}

void bringToFront(QWidget* w) {
    if (!w) return;
    if (w->isMinimized()) w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace kz::ui
