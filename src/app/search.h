// The search window: a school word leads to the tools that deal with it.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/windowmodel.h"

namespace kz {

inline constexpr std::string_view kSearchNothingFound = "对不起，没有找到相关结果！";
inline constexpr std::string_view kSearchNothingFoundTitle = "KelbrinZorvan";

struct SearchRow {
    std::string_view keyword;
    std::vector<std::string_view> tools;  // tool names, in list order
};

// The keyword table, in the order the rows are tried.
std::span<const SearchRow> searchRows();

// The first row whose keyword occurs in `query`, or nullptr.
const SearchRow* findSearchRow(std::string_view query);

// The window the menu opens for a tool name ("统计数据" -> "Form28"); empty
// for anything else, the help menu's entries included.
std::string_view formOfTool(std::string_view toolName);

std::unique_ptr<WindowModel> makeSearchWindow();  // Form38

}  // namespace kz
