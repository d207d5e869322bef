// The tool catalogue: the main panel's menu, one row per command, in menu
// order. The menu, the search window and the help texts all read this table.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kz {

enum class EntryKind {
    Menu,     // a top-level menu or a submenu; its children follow it
    Command,  // opens `form` (or, for HelpHome, the home page)
    Separator,
};

struct CatalogueEntry {
    EntryKind kind;
    int depth;                  // 0: top-level menu, 1: inside it, 2: inside a submenu
    std::string_view itemName;  // the menu item's name, also its object name
    std::string_view caption;   // with the access-key marker, e.g. "最大公因数(&D)"
    std::string_view form;      // the window it opens ("Form12"); empty if none
    std::string_view title;     // that window's title; empty if none
    std::string_view shortcut;  // "F1" or empty
};

// Every row of the menu bar, in order (menus, commands and separators).
std::span<const CatalogueEntry> catalogue();

// A caption without its access-key part: "最大公因数(&D)" -> "最大公因数".
std::string toolName(std::string_view caption);

// The row whose command opens `form`, or nullptr.
const CatalogueEntry* findByForm(std::string_view form);

}  // namespace kz

namespace kz {
// The program's home page, opened by the help menu.
inline constexpr std::string_view kHomePage = "https://kelbrinzorvan.example.org/";
}  // namespace kz
