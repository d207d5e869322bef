#include "tools/number/workingtext.h"

namespace kz {

std::string operand(std::string number) {
    if (!number.empty() && number.front() == '-') return "(" + number + ")";
    return number;
}

std::string joinedBy(const std::vector<std::string>& items, std::string_view sign) {
    std::string s;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) s += sign;
        s += items[i];
    }
    return s;
}

std::string shortList(const std::vector<std::string>& items) {
    if (items.size() <= 10) return joinedBy(items, "、");
    return joinedBy({items[0], items[1], items[2], "…", items.back()}, "、");
}

}  // namespace kz
