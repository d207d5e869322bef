#include "reading/articles.h"

#include "framework/utf8.h"

namespace kz::reading {

namespace {

int length(std::string_view s) { return static_cast<int>(utf8Length(s)); }

std::string_view trimmed(std::string_view s) {
    constexpr std::string_view blanks = " \t\r";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

std::string_view withoutTrailingBlanks(std::string_view s) {
    const auto last = s.find_last_not_of(" \t\r");
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

// Removes the "^{...}" marks of one paragraph and notes the raised characters.
// A mark without its closing brace, or an empty one, stays as it was written.
std::string unmark(std::string_view line, int paragraph, std::vector<Superscript>& raised) {
    std::string out;
    int chars = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        const auto mark = line.find("^{", i);
        const auto close = mark == std::string_view::npos ? mark : line.find('}', mark + 2);
        if (close == std::string_view::npos || close == mark + 2) {
            const std::size_t end = close == std::string_view::npos ? line.size() : close + 1;
            out.append(line.substr(i, end - i));
            chars += length(line.substr(i, end - i));
            i = end;
            continue;
        }
        out.append(line.substr(i, mark - i));
        chars += length(line.substr(i, mark - i));
        const std::string_view inner = line.substr(mark + 2, close - mark - 2);
        for (int k = 0, n = length(inner); k < n; ++k) raised.push_back({paragraph, chars + k});
        out.append(inner);
        chars += length(inner);
        i = close + 1;
    }
    return out;
}

}  // namespace

const Article* ArticleBook::find(std::string_view title) const {
    for (const auto& g : groups)
        for (const auto& a : g.articles)
            if (a.title == title) return &a;
    return nullptr;
}

bool ArticleBook::hasNamedGroups() const {
    for (const auto& g : groups)
        if (!g.name.empty()) return true;
    return false;
}

ArticleBook parseArticles(std::string_view input) {
    ArticleBook book;
    if (input.starts_with("\xEF\xBB\xBF")) input.remove_prefix(3);  // editors on Windows add one
    // Malformed bytes become U+FFFD first: removing a mark must not join two
    // broken halves into a character that the positions did not count.
    const std::string clean = u32ToUtf8(utf8ToU32(input));
    std::string_view text = clean;
    int lineNo = 0;
    Article* current = nullptr;
    auto problem = [&](const std::string& what) { book.problems.push_back(std::to_string(lineNo) + ": " + what); };
    while (!text.empty()) {
        const auto nl = text.find('\n');
        const std::string_view raw = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        ++lineNo;
        const std::string_view line = withoutTrailingBlanks(raw);
        if (line.empty() || line.starts_with("//")) continue;
        if (line.starts_with("## ") || line == "##") {
            const std::string_view title = trimmed(line.substr(2));
            if (title.empty()) {
                problem("文章没有标题");
                current = nullptr;
                continue;
            }
            if (book.find(title)) problem("标题重复：" + std::string(title));
            if (book.groups.empty()) book.groups.push_back({});
            book.groups.back().articles.push_back({std::string(title), {}, {}});
            current = &book.groups.back().articles.back();
        } else if (line.starts_with("# ") || line == "#") {
            const std::string_view name = trimmed(line.substr(1));
            if (name.empty()) problem("组没有名称");
            book.groups.push_back({std::string(name), {}});
            current = nullptr;
        } else if (!current) {
            problem("段落不属于任何文章");
        } else {
            const int index = static_cast<int>(current->paragraphs.size());
            current->paragraphs.push_back(unmark(line, index, current->superscripts));
        }
    }
    return book;
}

std::string displayText(const Article& a) {
    std::string out = a.title;
    out += kLineBreak;
    for (std::size_t i = 0; i < a.paragraphs.size(); ++i) {
        if (i > 0) out += kLineBreak;
        out += a.paragraphs[i];
    }
    return out;
}

int displayPosition(const Article& a, const Superscript& s) {
    const int br = length(kLineBreak);
    int pos = length(a.title) + br;
    for (int i = 0; i < s.paragraph && i < static_cast<int>(a.paragraphs.size()); ++i)
        pos += length(a.paragraphs[i]) + br;
    return pos + s.offset;
}

int textLength(const Article& a) {
    int n = 0;
    for (const auto& p : a.paragraphs) n += length(p) - length(indentation(p));
    return n;
}

std::string_view indentation(std::string_view paragraph) {
    for (std::string_view indent : {std::string_view("    "), std::string_view("\u3000\u3000")}) {
        if (!paragraph.starts_with(indent)) continue;
        const std::string_view rest = paragraph.substr(indent.size());
        if (!rest.empty() && rest.front() != ' ' && rest.front() != '\t' && !rest.starts_with("\u3000"))
            return paragraph.substr(0, indent.size());
    }
    return {};
}

}  // namespace kz::reading
