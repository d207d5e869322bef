// The short texts of the About window, the help window and the calculation
// bar, kept as "key=value" lines so they can be read and corrected as text.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace kz {

using ShortTexts = std::map<std::string, std::string, std::less<>>;

// One "key=value" per line (LF or CRLF); empty lines and lines starting with
// "#" are skipped; the key ends at the first "="; a line without "=" is
// skipped; the first of two equal keys wins.
ShortTexts parseShortTexts(std::string_view text);

// The value of `key`, or empty.
std::string shortText(const ShortTexts& texts, std::string_view key);

}  // namespace kz
