#include "app/shorttexts.h"

namespace kz {

ShortTexts parseShortTexts(std::string_view text) {
    ShortTexts out;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        out.emplace(std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
    }
    return out;
}

std::string shortText(const ShortTexts& texts, std::string_view key) {
    const auto it = texts.find(key);
    return it == texts.end() ? std::string() : it->second;
}

}  // namespace kz
