// What one start of the program asks for. The first start carries it out
// itself; a later start hands it to the instance already running and exits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kz {

struct StartRequest {
    bool panel = false;     // show the main panel as well
    bool bar = false;       // open the calculation bar
    bool noSplash = false;  // start at the ball, without the splash and its chime
    std::string tool;       // the form of one window to open ("Form12"), or empty

    bool opensWindow() const { return panel || bar || !tool.empty(); }
    bool operator==(const StartRequest&) const = default;
};

// The form a --tool argument names: a tool name as the search window lists it
// ("最大公因数", surrounding blanks ignored), a catalogue caption with its
// access key, or a form name ("Form12"). nullopt when nothing has that name.
std::optional<std::string> toolForm(std::string_view name);

// The hand-over between two starts: one line of text. Decoding accepts only
// what encoding writes, so a stray client can do nothing but be ignored.
// The splash choice stays with the start that made it and is not handed over.
std::string encodeRequest(const StartRequest& request);
std::optional<StartRequest> decodeRequest(std::string_view line);

// On a Wayland desktop a window cannot place itself, so the ball, the bar and
// docking run on XWayland unless the user has chosen a platform.
struct SessionEnvironment {
    std::string sessionType;        // XDG_SESSION_TYPE
    std::string waylandDisplay;     // WAYLAND_DISPLAY
    std::string display;            // DISPLAY
    std::string qpaPlatform;        // QT_QPA_PLATFORM
    bool platformArgument = false;  // -platform on the command line
};

enum class PlatformChoice {
    AsIs,        // not Wayland, or the user chose
    XWayland,    // start on the xcb platform
    NoXWayland,  // Wayland without XWayland: say so and carry on
};

PlatformChoice choosePlatform(const SessionEnvironment& env);

// Whether Qt's own -platform option is among the arguments (argv[0] excluded).
bool hasPlatformArgument(int argc, const char* const* argv);

}  // namespace kz
