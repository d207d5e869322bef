// The flat "XP" look of the exploration windows' tab strips.
#pragma once

class QTabWidget;

namespace kz::ui {

// Attaches a CSSTab (a child of `tabs`, living as long as it) that paints
// the tab row from the XP skin bitmap. Once per tab widget; later calls do
// nothing.
void skinTabs(QTabWidget* tabs);

}  // namespace kz::ui
