#include "framework/LineEditBox.h"

#include <QLineEdit>

#include "framework/UiSeam.h"

namespace kz::ui {

LineEditBox::LineEditBox(QLineEdit* edit, clsTextBox& filter, FilterMode mode)
    : QObject(edit), edit_(edit), filter_(filter), mode_(mode) {
    connect(edit, &QLineEdit::textChanged, this, [this] { filter_.apply(mode_, *this); });
}

std::u32string LineEditBox::text() const { return edit_->text().toStdU32String(); }

void LineEditBox::setText(const std::u32string& text) {
    QString q = QString::fromStdU32String(text);
    if (q == edit_->text()) return;  // an unchanged text raises no change event
    edit_->setText(q);
}

// The filter counts code points; QLineEdit counts UTF-16 units.
int LineEditBox::caret() const {
    const QString t = edit_->text();
    int pos = edit_->cursorPosition();
    return static_cast<int>(t.left(pos).toStdU32String().size());
}

void LineEditBox::setCaret(int position) {
    const QString t = edit_->text();
    std::u32string u = t.toStdU32String();
    if (position < 0) position = 0;
    if (position > static_cast<int>(u.size())) position = static_cast<int>(u.size());
    edit_->setCursorPosition(static_cast<int>(QString::fromStdU32String(u.substr(0, position)).size()));
}

void LineEditBox::setColour(TextColour colour) {
    QPalette p = edit_->palette();
    p.setColor(QPalette::Text, colour == TextColour::Red ? QColor(255, 0, 0) : QColor(0, 0, 0));
    edit_->setPalette(p);
}

void LineEditBox::beep() { seam().beep(); }

}  // namespace kz::ui
