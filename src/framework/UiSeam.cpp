#include "framework/UiSeam.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>

namespace kz::ui {

namespace {
Seam defaultSeam;
Seam* current = &defaultSeam;
}  // namespace

void Seam::showMessage(QWidget* parent, const Message& message) {
    QMessageBox box(message.icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    qs(message.title), qs(message.text), QMessageBox::Ok, parent);
    box.exec();
}

void Seam::setClipboardText(const QString& text) {
    QClipboard* clip = QGuiApplication::clipboard();
    clip->clear();
    clip->setText(text);
}

void Seam::beep() { QApplication::beep(); }

void Seam::openUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

void Seam::announce(QAccessibleEvent* event) { QAccessible::updateAccessibility(event); }

Seam& seam() { return *current; }

void setSeam(Seam* s) { current = s ? s : &defaultSeam; }

}  // namespace kz::ui
