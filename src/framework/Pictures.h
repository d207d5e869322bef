// Pictures compiled into the program, sharp on scaled screens.
#pragma once

#include <QPixmap>
#include <QString>

namespace kz::ui {

// A picture compiled into the program, its "@2x" twin on screens scaled past
// 100 %, so it stays sharp there. (QPixmap alone does not look for the twin.)
QPixmap picture(const QString& path);

}  // namespace kz::ui
