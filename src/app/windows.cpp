#include "app/windows.h"

#include "app/FloatingBall.h"
#include "app/HelpWindows.h"
#include "app/MainPanel.h"
#include "framework/ToolWindow.h"
#include "framework/UiSeam.h"
#include "framework/WindowRegistry.h"
#include "framework/windowmodel.h"

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

    // Every window of the core's table opens as the generic view of its model.
    for (const std::string& form : windowForms()) {
        const bool keep = openWindowModel(form)->decl().keepInstance;
        r.add(qs(form), [form] { return new ToolWindow(openWindowModel(form)); }, keep);
    }
}

}  // namespace kz::ui
