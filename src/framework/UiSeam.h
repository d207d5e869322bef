// The one place where windows reach the desktop: message boxes, the
// clipboard, the beep, the browser and the accessibility events; and the one conversion between the
// core's UTF-8 and Qt's strings. Window tests install a recording seam
// so they see what was shown without a modal loop.
#pragma once

#include <QString>
#include <QUrl>

#include "framework/outcome.h"

class QAccessibleEvent;
class QWidget;

namespace kz::ui {

class Seam {
public:
    virtual ~Seam() = default;
    virtual void showMessage(QWidget* parent, const Message& message);
    virtual void setClipboardText(const QString& text);
    virtual void beep();
    virtual void openUrl(const QUrl& url);
    // Tells assistive tools of a change they would not see otherwise.
    virtual void announce(QAccessibleEvent* event);
};

Seam& seam();
// Installs a seam for the rest of the run (nullptr restores the desktop one).
void setSeam(Seam* seam);

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string str(const QString& s) { return s.toStdString(); }

// The models count characters (code points), Qt counts UTF-16 units.
inline int codePointsBefore(const QString& text, int utf16Pos) {
    return static_cast<int>(text.left(utf16Pos).toStdU32String().size());
}
// The UTF-16 offset of the first `codePoints` code points (at most the whole text).
inline int utf16Before(const QString& text, int codePoints) {
    int i = 0;
    for (int n = 0; n < codePoints && i < text.size(); ++n)
        i += text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    return i;
}

}  // namespace kz::ui
