#include "app/startrequest.h"

#include <cctype>

#include "framework/catalogue.h"

namespace kz {

namespace {

constexpr std::string_view kHeader = "KZ1";
// Far more than the longest request; anything longer is not ours.
constexpr std::size_t kMaxLine = 256;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool isFormName(std::string_view s) {
    if (s.size() < 5 || s.size() > 8 || s.substr(0, 4) != "Form") return false;
    for (char c : s.substr(4))
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

std::optional<std::string> toolForm(std::string_view name) {
    name = trimmed(name);
    if (name.empty()) return std::nullopt;
    for (const CatalogueEntry& e : catalogue()) {
        if (e.kind != EntryKind::Command || e.form.empty()) continue;
        if (e.form == name || e.caption == name || toolName(e.caption) == name) return std::string(e.form);
    }
    // Windows outside the catalogue (the syntax card, About) by their form name.
    if (isFormName(name)) return std::string(name);
    return std::nullopt;
}

std::string encodeRequest(const StartRequest& r) {
    std::string out(kHeader);
    if (r.panel) out += " panel";
    if (r.bar) out += " bar";
    if (!r.tool.empty()) out += " tool=" + r.tool;
    return out;
}

std::optional<StartRequest> decodeRequest(std::string_view line) {
    if (line.size() > kMaxLine) return std::nullopt;
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.substr(0, kHeader.size()) != kHeader) return std::nullopt;
    line.remove_prefix(kHeader.size());
    StartRequest r;
    while (!line.empty()) {
        if (line.front() != ' ') return std::nullopt;
        line.remove_prefix(1);
        const std::string_view word = line.substr(0, line.find(' '));
        line.remove_prefix(word.size());
        if (word == "panel" && !r.panel) {
            r.panel = true;
        } else if (word == "bar" && !r.bar) {
            r.bar = true;
        } else if (word.substr(0, 5) == "tool=" && r.tool.empty() && isFormName(word.substr(5))) {
            r.tool = std::string(word.substr(5));
        } else {
            return std::nullopt;
        }
    }
    return r;
}

PlatformChoice choosePlatform(const SessionEnvironment& env) {
    if (!env.qpaPlatform.empty() || env.platformArgument) return PlatformChoice::AsIs;
    std::string type = env.sessionType;
    for (char& c : type) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool wayland = type == "wayland" || !env.waylandDisplay.empty();
    if (!wayland) return PlatformChoice::AsIs;
    return env.display.empty() ? PlatformChoice::NoXWayland : PlatformChoice::XWayland;
}

bool hasPlatformArgument(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (!argv[i]) continue;
        const std::string_view a = argv[i];
        // Qt takes the option with one dash or two, its value as the next argument.
        if ((a == "-platform" || a == "--platform") && i + 1 < argc) return true;
    }
    return false;
}

}  // namespace kz
