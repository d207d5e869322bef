#pragma once

#include "framework/ToolWindow.h"

namespace kz::ui {

class GcdWindow : public ToolWindow {  // Form12
    Q_OBJECT
public:
    GcdWindow();
};

class LcmWindow : public ToolWindow {  // Form13
    Q_OBJECT
public:
    LcmWindow();
};

}  // namespace kz::ui
