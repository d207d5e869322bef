// UTF-8 texts of the core and the code points the filter and the maximum
// lengths count in. Malformed bytes read as U+FFFD, one per byte, so any
// input (pasted, fuzzed) has a well-defined length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kz {

std::u32string utf8ToU32(std::string_view s);
std::string u32ToUtf8(std::u32string_view s);
std::size_t utf8Length(std::string_view s);

}  // namespace kz
