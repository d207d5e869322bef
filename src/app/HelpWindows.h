#pragma once

#include <QDialog>
#include <QRadioButton>
#include <QWidget>

class QTextEdit;

namespace kz::ui {

// An option button out of sight that holds a window's focus so that no caret
// blinks in its text. It has nothing to say or press, so it tells screen
// readers it is not there.
class FocusSink : public QRadioButton {
    Q_OBJECT
public:
    explicit FocusSink(QWidget* parent);
};

// Form27: three questions, each with a button to its answer.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow();
};

// Form35 (function introduction) and Form36 (usage tips): one read-only
// formatted text. The focus rests on an option button out of sight, so no
// caret blinks in the text.
class HelpTextWindow : public QWidget {
    Q_OBJECT
public:
    HelpTextWindow(const char* form, const char* title, const char* resource);

protected:
    void showEvent(QShowEvent* e) override;

private:
    QTextEdit* text_;
    FocusSink* option_;
    bool loaded_ = false;
};

// Form4: the terms of use and the makers. OK, Enter and Escape hide it; it
// stays as it was for the next opening.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow();
    void reject() override;
};

// Form15: the calculator's language on one card.
class SyntaxCard : public QWidget {
    Q_OBJECT
public:
    SyntaxCard();
};

}  // namespace kz::ui
