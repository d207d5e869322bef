// The one place where windows reach the desktop: message boxes, the
// clipboard, the beep and the browser. Window tests install a recording seam
// so they see what was shown without a modal loop.
#pragma once

#include <QString>
#include <QUrl>

#include "framework/outcome.h"

class QWidget;

namespace kz::ui {

class Seam {
public:
    virtual ~Seam() = default;
    virtual void showMessage(QWidget* parent, const Message& message);
    virtual void setClipboardText(const QString& text);
    virtual void beep();
    virtual void openUrl(const QUrl& url);
};

Seam& seam();
// Installs a seam for the rest of the run (nullptr restores the desktop one).
void setSeam(Seam* seam);

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string str(const QString& s) { return s.toStdString(); }

}  // namespace kz::ui
