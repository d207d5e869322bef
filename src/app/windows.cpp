#include "app/windows.h"

#include "app/FloatingBall.h"
#include "app/HelpWindows.h"
#include "app/MainPanel.h"
#include "drawing/SkinnedTabs.h"
#include "explore/SpaceWindow.h"
#include "framework/ToolWindow.h"
#include "framework/UiSeam.h"
#include "framework/WindowRegistry.h"
#include "framework/windowmodel.h"
#include "reading/ReadingBox.h"

namespace kz::ui {

void registerWindows() {
    auto& r = WindowRegistry::instance();
    r.add(
        "Form0", [] { return new FloatingBall; }, true);
    r.add(
        "Form2", [] { return new MainPanel; }, true);
    r.add("Form27", [] { return new HelpWindow; });
    r.add("Form35",
          [] { return new HelpTextWindow("Form35", "功能介绍 - KelbrinZorvan", ":/resources/help/features.html"); });
    r.add("Form36",
          [] { return new HelpTextWindow("Form36", "使用技巧 - KelbrinZorvan", ":/resources/help/tips.html"); });
    r.add("Form4", [] { return new AboutWindow; });
    r.add("Form15", [] { return new SyntaxCard; });
    r.add("Form25", [] { return new ReadingBox("Form25"); });
    r.add("Form26", [] { return new ReadingBox("Form26"); });
    r.add("Form34", [] { return new ReadingBox("Form34"); });
    r.add("Form44", [] { return new SpaceWindow; });

    // Every window of the core's table opens as the generic view of its model.
    ToolWindow::setTabDecorator(skinTabs);
    for (const WindowType& t : windowTypes()) {
        if (t.owned) continue;
        const std::string_view form = t.form;
        r.add(
            qs(form), [form] { return new ToolWindow(openWindowModel(form)); }, t.keepInstance);
    }
}

}  // namespace kz::ui
