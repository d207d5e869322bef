#include "framework/utf8.h"

namespace kz {

namespace {

// Length of the well-formed sequence at s[i], or 0.
std::size_t sequence(std::string_view s, std::size_t i, char32_t& cp) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char lead = b(0);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    std::size_t n = lead >= 0xC2 && lead < 0xE0   ? 2
                    : lead >= 0xE0 && lead < 0xF0 ? 3
                    : lead >= 0xF0 && lead < 0xF5 ? 4
                                                  : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((b(k) & 0xC0) != 0x80) return 0;
    if (lead == 0xE0 && b(1) < 0xA0) return 0;   // overlong
    if (lead == 0xED && b(1) >= 0xA0) return 0;  // surrogate
    if (lead == 0xF0 && b(1) < 0x90) return 0;   // overlong
    if (lead == 0xF4 && b(1) >= 0x90) return 0;  // beyond U+10FFFF
    cp = n == 2 ? lead & 0x1F : n == 3 ? lead & 0x0F : lead & 0x07;
    for (std::size_t k = 1; k < n; ++k) cp = (cp << 6) | (b(k) & 0x3F);
    return n;
}

}  // namespace

std::u32string utf8ToU32(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        std::size_t n = sequence(s, i, cp);
        if (n == 0) {
            out.push_back(U'\uFFFD');
            ++i;
        } else {
            out.push_back(cp);
            i += n;
        }
    }
    return out;
}

std::string u32ToUtf8(std::u32string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t c : s) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = U'\uFFFD';
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::size_t utf8Length(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); ++n) {
        char32_t cp = 0;
        std::size_t k = sequence(s, i, cp);
        i += k == 0 ? 1 : k;
    }
    return n;
}

}  // namespace kz
