// What a start asks for: tool names, the hand-over line between two starts,
// and the platform chosen on a Wayland desktop.
#include "app/startrequest.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/version.h"

namespace {

using kz::PlatformChoice;
using kz::SessionEnvironment;
using kz::StartRequest;

TEST(ToolForm, FindsAToolByItsSearchNameCaptionOrForm) {
    struct Case {
        const char* name;
        std::optional<std::string> form;
    } const cases[] = {
        {"最大公因数", "Form12"},
        {"最小公倍数", "Form13"},
        {"  最大公因数 ", "Form12"},
        {"最大公因数(&D)", "Form12"},
        {"Form12", "Form12"},
        {"Form15", "Form15"},  // the syntax card is no catalogue tool, but a window
        {"鸡兔同笼", "Form7"},
        {"最大公因", std::nullopt},
        {"最大公因数最大公因数", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"Form", std::nullopt},
        {"Form1x", std::nullopt},
        {"form12", std::nullopt},
        {"Form123456", std::nullopt},
        {"数学计算", std::nullopt},  // a menu, not a command
    };
    for (const auto& c : cases) EXPECT_EQ(kz::toolForm(c.name), c.form) << "'" << c.name << "'";
}

TEST(HandOver, EveryRequestSurvivesTheLine) {
    const StartRequest requests[] = {
        {},
        {.panel = true, .tool = {}},
        {.bar = true, .tool = {}},
        {.tool = "Form12"},
        {.panel = true, .bar = true, .tool = "Form40"},
    };
    for (const auto& r : requests) {
        const std::string line = kz::encodeRequest(r);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_EQ(kz::decodeRequest(line), r) << line;
        EXPECT_EQ(kz::decodeRequest(line + "\n"), r) << line;
        EXPECT_EQ(kz::decodeRequest(line + "\r\n"), r) << line;
    }
    // The splash is the starting program's own business.
    EXPECT_EQ(kz::decodeRequest(kz::encodeRequest({.noSplash = true, .tool = {}})), StartRequest{});
    EXPECT_FALSE(kz::decodeRequest(kz::encodeRequest({})).value().opensWindow());
}

TEST(HandOver, AnythingElseIsRefused) {
    for (const char* line : {"", "KZ", "KZ2", "KZ1x", "kz1 panel", "KZ1  panel", "KZ1 panel ", "KZ1 panel panel",
                             "KZ1 window", "KZ1 tool=", "KZ1 tool=最大公因数", "KZ1 tool=Form12 tool=Form13",
                             "KZ1 tool=Form12;rm", "GET / HTTP/1.1", "KZ1\tpanel"})
        EXPECT_EQ(kz::decodeRequest(line), std::nullopt) << "'" << line << "'";
    EXPECT_EQ(kz::decodeRequest("KZ1" + std::string(1000, ' ')), std::nullopt);
    EXPECT_EQ(kz::decodeRequest("KZ1 panel" + std::string(1000, 'x')), std::nullopt);
}

TEST(Platform, WaylandRunsOnXWaylandUnlessTheUserChose) {
    struct Case {
        const char* what;
        SessionEnvironment env;
        PlatformChoice choice;
    } const cases[] = {
        {"X11 session", {"x11", "", ":0", "", false}, PlatformChoice::AsIs},
        {"no session type, X display", {"", "", ":0", "", false}, PlatformChoice::AsIs},
        {"nothing at all", {}, PlatformChoice::AsIs},
        {"Wayland with XWayland", {"wayland", "wayland-0", ":0", "", false}, PlatformChoice::XWayland},
        {"session type in capitals", {"Wayland", "", ":1", "", false}, PlatformChoice::XWayland},
        {"only WAYLAND_DISPLAY", {"", "wayland-0", ":0", "", false}, PlatformChoice::XWayland},
        {"only the session type", {"wayland", "", ":0", "", false}, PlatformChoice::XWayland},
        {"Wayland without XWayland", {"wayland", "wayland-0", "", "", false}, PlatformChoice::NoXWayland},
        {"user chose by variable", {"wayland", "wayland-0", ":0", "wayland", false}, PlatformChoice::AsIs},
        {"user chose xcb already", {"wayland", "wayland-0", ":0", "xcb", false}, PlatformChoice::AsIs},
        {"user chose by argument", {"wayland", "wayland-0", ":0", "", true}, PlatformChoice::AsIs},
        {"user chose, no XWayland", {"wayland", "wayland-0", "", "", true}, PlatformChoice::AsIs},
        {"tty session", {"tty", "", "", "", false}, PlatformChoice::AsIs},
    };
    for (const auto& c : cases) EXPECT_EQ(kz::choosePlatform(c.env), c.choice) << c.what;
}

TEST(Platform, FindsQtsPlatformArgument) {
    struct Case {
        std::initializer_list<const char*> args;
        bool found;
    } const cases[] = {
        {{"prog"}, false},
        {{"prog", "-platform", "xcb"}, true},
        {{"prog", "--platform", "wayland"}, true},
        {{"prog", "--panel", "-platform", "offscreen", "--bar"}, true},
        {{"prog", "-platform"}, false},  // no value: Qt ignores it
        {{"-platform", "xcb"}, false},   // the program's own name is no argument
        {{"prog", "--tool", "最大公因数"}, false},
        {{"prog", "-platformtheme", "gtk3"}, false},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv(c.args);
        EXPECT_EQ(kz::hasPlatformArgument(static_cast<int>(argv.size()), argv.data()), c.found)
            << (argv.size() > 1 ? argv[1] : "");
    }
}

TEST(Version, ComesFromTheProject) {
    EXPECT_EQ(kz::kProductName, "KelbrinZorvan2010");
    EXPECT_EQ(kz::kVersion, "1.9");
    EXPECT_EQ(kz::kAppId, "org.example.kelbrinzorvan");
}

}  // namespace
