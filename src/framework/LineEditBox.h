// Binds a QLineEdit to the input filter: the filter runs on every change of
// the text, typed, pasted or set by the program.
#pragma once

#include <QObject>

#include "framework/clsTextBox.h"

class QLineEdit;

namespace kz::ui {

class LineEditBox : public QObject, public TextBoxAccess {
    Q_OBJECT
public:
    LineEditBox(QLineEdit* edit, clsTextBox& filter, FilterMode mode);

    std::u32string text() const override;
    void setText(const std::u32string& text) override;
    int caret() const override;
    void setCaret(int position) override;
    void setColour(TextColour colour) override;
    void beep() override;

    QLineEdit* edit() const { return edit_; }

private:
    QLineEdit* edit_;
    clsTextBox& filter_;
    FilterMode mode_;
};

}  // namespace kz::ui
