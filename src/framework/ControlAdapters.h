// One adapter per kind of declared control: it makes the control's widget,
// wires the widget's own changes to the window, and mirrors the model's state
// of the control into the widget. A new kind of control is one class here.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "framework/windowmodel.h"

class QObject;
class QWidget;

namespace kz::ui {

// What a control reports to its window.
class ControlHost {
public:
    virtual ~ControlHost() = default;
    // The text of a box, list or tab strip changed by anyone but the model
    // (caret in code points, -1 for the end).
    virtual void edited(const std::string& name, const std::string& text, int caret) = 0;
    virtual void selected(const std::string& name) = 0;
    virtual void pressed(const std::string& name) = 0;
    // While the window mirrors the model, widget changes are its own echo.
    virtual bool mirroring() const = 0;
    // Sees the keys and the focus of the boxes.
    virtual QObject* keyWatcher() = 0;
};

class ControlAdapter {
public:
    virtual ~ControlAdapter() = default;
    const ControlDecl& decl() const { return decl_; }
    QWidget* widget() const { return widget_; }
    // The model's state of this control into the widget; what is already
    // shown is left alone, so a mirror changes nothing visible by itself.
    virtual void mirror(const ControlState& s) = 0;
    // A button that Enter presses shows it.
    virtual void markDefault(bool) {}
    // The pages of a tab strip, in order; controls on a page are its children.
    virtual std::vector<QWidget*> pages() const { return {}; }

protected:
    ControlAdapter(const ControlDecl& d, ControlHost& host) : decl_(d), host_(host) {}
    // Sets the object name, the declared size and keeps the widget.
    void adopt(QWidget* w);

    const ControlDecl& decl_;
    ControlHost& host_;
    QWidget* widget_ = nullptr;
};

// The adapter for a control's kind, its widget made as a child of `parent`.
std::unique_ptr<ControlAdapter> makeControlAdapter(const ControlDecl& d, QWidget* parent, ControlHost& host);

// The text a multi-line output shows for `text`: a line may break after the
// signs between numbers; inside a number only when the number alone is wider
// than the box. What the box copies stays `text`.
QString withBreaksBetweenNumbers(const QString& text);

}  // namespace kz::ui
