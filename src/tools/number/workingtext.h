// Small pieces of the number windows' workings, written the exercise book's way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kz {

// A number after an operation sign: a negative one in parentheses, "3×(-5)".
std::string operand(std::string number);

// Texts joined by `sign` ("2×3×5").
std::string joinedBy(const std::vector<std::string>& items, std::string_view sign);

// An enumeration joined by "、": all of it up to ten items, else the first
// three, "…" and the last.
std::string shortList(const std::vector<std::string>& items);

}  // namespace kz
