// The help texts against the tool catalogue: the function introduction must
// list every tool of the menus in menu order, and the usage tips must keep
// their sections. A tool added to or moved in the menu without its help entry
// fails here.
#include "framework/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kRoot = KZ_TEST_DATA_DIR "/../..";

std::string readFile(const std::string& relative) {
    std::ifstream in(kRoot + "/" + relative, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << relative;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Block {
    int level = 0;        // 1, 2 or 3 for <h1>, <h2>, <h3>
    std::string heading;  // the heading text
    std::string body;     // the text after the heading up to the next heading, tags removed
};

std::string stripTags(const std::string& html) {
    static const std::regex tag("<[^>]*>");
    return std::regex_replace(html, tag, "");
}

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// The headings of a help page in document order, each with the text under it.
std::vector<Block> split(const std::string& html) {
    static const std::regex heading("<h([123])>([^<]*)</h\\1>");
    std::vector<Block> out;
    std::vector<std::pair<size_t, size_t>> spans;  // body start, next heading start
    for (auto it = std::sregex_iterator(html.begin(), html.end(), heading); it != std::sregex_iterator(); ++it) {
        if (!spans.empty()) spans.back().second = static_cast<size_t>(it->position());
        out.push_back({std::stoi((*it)[1].str()), (*it)[2].str(), {}});
        spans.emplace_back(static_cast<size_t>(it->position() + it->length()), html.size());
    }
    for (size_t i = 0; i < out.size(); ++i)
        out[i].body = trim(stripTags(html.substr(spans[i].first, spans[i].second - spans[i].first)));
    return out;
}

int countOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + what.size())) ++n;
    return n;
}

int sentences(const std::string& text) { return countOf(text, "。") + countOf(text, "！") + countOf(text, "？"); }

// The tool names of the command rows under the top-level menu `menu`, in menu order.
std::vector<std::string> toolsOfMenu(const std::string& menu) {
    std::vector<std::string> names;
    std::string top;
    for (const auto& e : kz::catalogue()) {
        if (e.depth == 0 && e.kind == kz::EntryKind::Menu) top = kz::toolName(e.caption);
        else if (top == menu && e.kind == kz::EntryKind::Command) names.push_back(kz::toolName(e.caption));
    }
    return names;
}

// What the function introduction lists in its first section: the floating
// calculator, then the tools of the calculation menu, with the statistics entry
// renamed and the sum-and-multiple problem put before the sum-and-difference one.
std::vector<std::string> expectedCalculationEntries() {
    auto names = toolsOfMenu("数学计算");
    for (auto& n : names)
        if (n == "统计数据") n = "数据统计";
    auto sd = std::find(names.begin(), names.end(), "和差问题");
    auto sm = std::find(names.begin(), names.end(), "和倍问题");
    EXPECT_NE(sd, names.end());
    EXPECT_NE(sm, names.end());
    if (sd != names.end() && sm != names.end() && sd < sm) std::rotate(sd, sm, sm + 1);
    names.insert(names.begin(), "悬浮窗计算器");
    return names;
}

struct Entry {
    int number;
    std::string name;
    std::string body;
};

struct Section {
    std::string title;
    std::vector<Entry> entries;
};

// The <h2> sections of a page with their numbered <h3> entries ("N. 名称").
std::vector<Section> sections(const std::vector<Block>& page) {
    static const std::regex numbered("^([0-9]+)\\. (.+)$");
    std::vector<Section> out;
    for (const auto& b : page) {
        if (b.level == 2) {
            out.push_back({b.heading, {}});
        } else if (b.level == 3) {
            std::smatch m;
            EXPECT_TRUE(std::regex_match(b.heading, m, numbered)) << "entry heading not numbered: " << b.heading;
            EXPECT_FALSE(out.empty()) << "entry before any section: " << b.heading;
            if (out.empty() || m.empty()) continue;
            out.back().entries.push_back({std::stoi(m[1].str()), m[2].str(), b.body});
        }
    }
    return out;
}

std::vector<std::string> namesOf(const Section& s) {
    std::vector<std::string> names;
    for (const auto& e : s.entries) names.push_back(e.name);
    return names;
}

class FeaturesText : public ::testing::Test {
protected:
    void SetUp() override {
        html = readFile("resources/help/features.html");
        page = split(html);
        parts = sections(page);
    }
    std::string html;
    std::vector<Block> page;
    std::vector<Section> parts;
};

TEST_F(FeaturesText, HasTheTitleAndTwoSections) {
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page.front().level, 1);
    EXPECT_EQ(page.front().heading, "功能介绍");
    EXPECT_EQ(std::count_if(page.begin(), page.end(), [](const Block& b) { return b.level == 1; }), 1);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].title, "一、数学计算");
    EXPECT_EQ(parts[1].title, "二、趣味数学");
}

TEST_F(FeaturesText, ListsTheCalculationToolsInMenuOrder) {
    ASSERT_EQ(parts.size(), 2u);
    const auto expected = expectedCalculationEntries();
    EXPECT_EQ(expected.size(), 32u) << "the catalogue's calculation menu changed";
    EXPECT_EQ(parts[0].entries.size(), 32u);
    EXPECT_EQ(namesOf(parts[0]), expected);
}

TEST_F(FeaturesText, ListsTheInterestToolsInMenuOrder) {
    ASSERT_EQ(parts.size(), 2u);
    const auto expected = toolsOfMenu("趣味数学");
    EXPECT_EQ(expected.size(), 5u) << "the catalogue's interest menu changed";
    EXPECT_EQ(namesOf(parts[1]), expected);
}

TEST_F(FeaturesText, NumbersEachSectionFromOne) {
    for (const auto& s : parts)
        for (size_t i = 0; i < s.entries.size(); ++i)
            EXPECT_EQ(s.entries[i].number, static_cast<int>(i + 1)) << s.title << ": " << s.entries[i].name;
}

TEST_F(FeaturesText, EachEntryIsOneToThreeSentences) {
    for (const auto& s : parts)
        for (const auto& e : s.entries) {
            const int n = sentences(e.body);
            EXPECT_GE(n, 1) << e.name;
            EXPECT_LE(n, 3) << e.name;
        }
}

TEST_F(FeaturesText, CrossReferencesNameAnotherEntry) {
    std::vector<std::string> all;
    for (const auto& s : parts)
        for (const auto& e : s.entries) all.push_back(e.name);
    int references = 0;
    const std::string see = "参看";
    for (const auto& s : parts)
        for (const auto& e : s.entries)
            for (auto pos = e.body.find(see); pos != std::string::npos; pos = e.body.find(see, pos + 1)) {
                const std::string rest = e.body.substr(pos + see.size());
                const auto target = std::find_if(all.begin(), all.end(), [&](const std::string& name) {
                    return rest.compare(0, name.size(), name) == 0;
                });
                ASSERT_NE(target, all.end()) << e.name << " refers to an unknown entry: " << rest.substr(0, 30);
                EXPECT_NE(*target, e.name) << e.name << " refers to itself";
                ++references;
            }
    EXPECT_GT(references, 0);
}

TEST(HelpPages, UseOnlySelfContainedRichText) {
    for (const char* file :
         {"resources/help/features.html", "resources/help/tips.html", "resources/help/about_terms.html"}) {
        const auto html = readFile(file);
        EXPECT_FALSE(html.empty()) << file;
        for (const char* banned : {"<img", "<script", "<link", "<style", "src=", "http"})
            EXPECT_EQ(html.find(banned), std::string::npos) << file << " contains " << banned;
    }
}

TEST(TipsText, HasItsThreeSectionsInOrder) {
    const auto page = split(readFile("resources/help/tips.html"));
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page.front().level, 1);
    EXPECT_EQ(page.front().heading, "使用技巧");
    std::vector<std::string> titles;
    for (const auto& b : page)
        if (b.level == 2) titles.push_back(b.heading);
    EXPECT_EQ(titles, (std::vector<std::string>{"一、悬浮窗计算器", "二、使用搜索", "三、快捷键"}));
}

TEST(TipsText, DescribesEveryWordOfTheCalculationSyntax) {
    const auto page = split(readFile("resources/help/tips.html"));
    std::string calculator;  // everything under the first section
    int section = 0;
    for (const auto& b : page) {
        if (b.level == 2) ++section;
        if (section == 1) calculator += b.heading + "\n" + b.body + "\n";
    }
    for (const char* word :
         {"+", "-", "*", "/", "^", "!", "(", "pi", "sr", "abs", "rnd", "ans", "constants.csd", "2(3+4)", "x=5"})
        EXPECT_NE(calculator.find(word), std::string::npos) << "the syntax tips do not mention " << word;
}

// The short texts file: key=value lines, "#" comments.
std::map<std::string, std::string> shortTexts() {
    std::map<std::string, std::string> texts;
    std::istringstream in(readFile("resources/help/strings.txt"));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        const auto eq = line.find('=');
        EXPECT_NE(eq, std::string::npos) << "not a key=value line: " << line;
        if (eq == std::string::npos) continue;
        EXPECT_TRUE(texts.emplace(line.substr(0, eq), line.substr(eq + 1)).second) << "duplicate key in: " << line;
    }
    return texts;
}

TEST(ShortTexts, HoldEveryTextTheWindowsRead) {
    const auto texts = shortTexts();
    for (const char* key : {"about.title", "about.label1", "about.label2", "about.label3", "about.version",
                            "contact.link", "home.url", "credit.name", "credit.company", "credit.author"}) {
        const auto it = texts.find(key);
        ASSERT_NE(it, texts.end()) << key;
        EXPECT_FALSE(trim(it->second).empty()) << key;
    }
    EXPECT_EQ(texts.at("about.title"), "KelbrinZorvan2010 (1.9)");
}

}  // namespace
