// Shared helpers of the window tests: a seam that records messages and the
// clipboard instead of showing them, and lookups by object name.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <vector>

#include "framework/UiSeam.h"
#include "framework/WindowRegistry.h"

namespace kz::test {

class RecordingSeam : public ui::Seam {
public:
    void showMessage(QWidget*, const Message& m) override { messages.push_back(m); }
    void setClipboardText(const QString& t) override {
        clipboard = t;
        ++clipboardWrites;
    }
    void beep() override { ++beeps; }
    void openUrl(const QUrl& url) override { urls.push_back(url); }

    std::vector<Message> messages;
    QString clipboard;
    int clipboardWrites = 0;
    int beeps = 0;
    std::vector<QUrl> urls;
};

// Sets up the application the way the program does, with the recording seam.
void setUpProgram(RecordingSeam& seam);

template <typename T = QWidget>
T* child(QWidget* window, const char* name) {
    T* w = window->findChild<T*>(name);
    if (!w) qWarning("no child %s in %s", name, qPrintable(window->objectName()));
    return w;
}

// Replaces a box's whole text as a paste over a full selection does.
void paste(QLineEdit* box, const QString& text);

// The text of a multi-line box as the pupil reads it: without the invisible
// marks where a line may break between numbers.
inline QString shownText(const QWidget* box) { return box->property("plainText").toString().remove(QChar(0x200B)); }

// Opens a window through the registry, as the menu does.
QWidget* openForm(const char* form);

}  // namespace kz::test
