#include "app/windows.h"

#include "app/MainPanel.h"
#include "framework/WindowRegistry.h"
#include "tools/number/GcdWindow.h"

namespace kz::ui {

void registerWindows() {
    auto& r = WindowRegistry::instance();
    r.add("Form2", [] { return new MainPanel; }, true);
    r.add("Form12", [] { return new GcdWindow; });
    r.add("Form13", [] { return new LcmWindow; });
}

}  // namespace kz::ui
