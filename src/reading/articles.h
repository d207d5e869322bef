// The articles of the reading boxes, display-free: the text format a teacher
// can edit, and the text the article view shows.
//
// Format (UTF-8): "# 组名" starts a group, "## 标题" starts an article, every
// other non-empty line is one paragraph of the current article, kept with its
// leading indentation. Blank lines and lines starting with "//" are ignored.
// "^{...}" raises what is inside the braces: "10^{100}" shows "10100" with
// the last three digits as superscripts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kz::reading {

// One raised character: its paragraph and its offset there, in characters
// (code points).
struct Superscript {
    int paragraph = 0;
    int offset = 0;
};

struct Article {
    std::string title;
    std::vector<std::string> paragraphs;  // with their indentation, markup removed
    std::vector<Superscript> superscripts;
};

// Articles before the first "# " line belong to a group without a name: they
// stand at the root of the tree.
struct ArticleGroup {
    std::string name;
    std::vector<Article> articles;
};

struct ArticleBook {
    std::vector<ArticleGroup> groups;
    // Lines that could not be placed, e.g. "12: 段落不属于任何文章".
    std::vector<std::string> problems;

    const Article* find(std::string_view title) const;
    bool hasNamedGroups() const;
};

ArticleBook parseArticles(std::string_view text);

// A line break of the displayed text counts two characters (CR LF).
inline constexpr std::string_view kLineBreak = "\r\n";

// The title, a line break, then the paragraphs joined by line breaks.
std::string displayText(const Article& a);

// A superscript's position in displayText, counted in characters from 0.
int displayPosition(const Article& a, const Superscript& s);

// Characters of the paragraphs without their indentation: the article's length
// as a reader sees it.
int textLength(const Article& a);

// The indentation a paragraph starts with: four blanks or two ideographic
// spaces, followed by text. Empty if the paragraph has neither.
std::string_view indentation(std::string_view paragraph);

}  // namespace kz::reading
