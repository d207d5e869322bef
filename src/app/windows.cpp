#include "app/windows.h"

#include "app/FloatingBall.h"
#include "app/HelpWindows.h"
#include "app/MainPanel.h"
#include "explore/SpaceWindow.h"
#include "framework/WindowRegistry.h"
#include "tools/number/GcdWindow.h"

namespace kz::ui {

void registerWindows() {
    auto& r = WindowRegistry::instance();
    r.add("Form0", [] { return new FloatingBall; }, true);
    r.add("Form2", [] { return new MainPanel; }, true);
    r.add("Form27", [] { return new HelpWindow; });
    r.add("Form35", [] { return new HelpTextWindow("Form35", "功能介绍 - KelbrinZorvan", ":/resources/help/features.html"); });
    r.add("Form36", [] { return new HelpTextWindow("Form36", "使用技巧 - KelbrinZorvan", ":/resources/help/tips.html"); });
    r.add("Form4", [] { return new AboutWindow; });
    r.add("Form15", [] { return new SyntaxCard; });
    r.add("Form12", [] { return new GcdWindow; });
    r.add("Form13", [] { return new LcmWindow; });
    r.add("Form44", [] { return new SpaceWindow; });
}

}  // namespace kz::ui
