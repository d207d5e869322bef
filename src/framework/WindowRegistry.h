// One instance per window: created on first use, brought to the front when
// opened again, and created afresh after the user closes it (unless the
// window keeps its instance).
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace kz::ui {

// Windows that keep their instance over a close implement this to run their
// load step again when they are next shown.
class Reloadable {
public:
    virtual ~Reloadable() = default;
    virtual void reload() = 0;
};

class WindowRegistry {
public:
    using Factory = std::function<QWidget*()>;

    static WindowRegistry& instance();

    void add(const QString& form, Factory factory, bool keepInstance = false);
    bool has(const QString& form) const { return factories_.contains(form); }

    // Creates the window if it has no instance, shows it and brings it to the front.
    QWidget* open(const QString& form);
    // The live instance, or nullptr.
    QWidget* existing(const QString& form) const;
    // Deletes every instance (used between window tests).
    void destroyAll();

private:
    struct Entry {
        Factory factory;
        bool keepInstance = false;
        QPointer<QWidget> window;
    };
    QHash<QString, Entry> factories_;
};

// Shows a window and brings it to the front, unminimised, contents unchanged.
void bringToFront(QWidget* w);

}  // namespace kz::ui
