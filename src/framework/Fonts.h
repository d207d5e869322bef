// The windows' faces: the program's own Latin face, then a Song-style family
// list with fallbacks, so Chinese renders on machines without the design's face.
#pragma once

#include <QFont>

namespace kz::ui {

QFont songFont(double pointSize, bool bold = false);
inline QFont labelFont() { return songFont(10.5); }  // buttons and labels
inline QFont boxFont() { return songFont(12); }      // input and output boxes
// `font` as a key or button with this caption draws it: "×" and "÷" alone
// larger, as large as the full-width "＋" and "－" on the keys beside them.
QFont faceForCaption(const QFont& font, const QString& caption);

// Sets these as the application's defaults for labels, buttons and boxes.
void installDefaultFonts();

}  // namespace kz::ui
