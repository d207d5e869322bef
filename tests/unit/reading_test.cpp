// The article store: the text format, the displayed text and where its raised
// characters fall, then the three article files as shipped.
#include "reading/articles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/utf8.h"

using namespace kz::reading;

namespace {

const std::string kReadingDir = KZ_TEST_DATA_DIR "/../../resources/reading/";

std::string readFile(const std::string& name) {
    std::ifstream in(kReadingDir + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> titles(const ArticleGroup& g) {
    std::vector<std::string> out;
    for (const auto& a : g.articles) out.push_back(a.title);
    return out;
}

// The characters of the displayed text at the given positions.
std::string charactersAt(const Article& a, const std::vector<int>& positions) {
    const std::u32string text = kz::utf8ToU32(displayText(a));
    std::u32string out;
    for (int p : positions) out += p >= 0 && p < static_cast<int>(text.size()) ? text[p] : U'?';
    return kz::u32ToUtf8(out);
}

std::vector<int> positions(const Article& a) {
    std::vector<int> out;
    for (const auto& s : a.superscripts) out.push_back(displayPosition(a, s));
    return out;
}

}  // namespace

TEST(ArticleFormat, LinesBecomeGroupsArticlesAndParagraphs) {
    const ArticleBook book = parseArticles(
        "\xEF\xBB\xBF// a note for the editor\r\n"
        "## 前言\r\n"
        "　　没有组的文章。  \r\n"
        "\r\n"
        "# 第一组\n"
        "## 甲\n"
        "    第一段\n"
        "   \n"
        "//    不显示\n"
        "　　第二段\n"
        "# 第二组\n"
        "## 乙\n"
        "    只有一段");
    EXPECT_TRUE(book.problems.empty());
    ASSERT_EQ(book.groups.size(), 3u);
    EXPECT_EQ(book.groups[0].name, "");
    EXPECT_EQ(titles(book.groups[0]), std::vector<std::string>{"前言"});
    EXPECT_EQ(book.groups[0].articles[0].paragraphs, std::vector<std::string>{"　　没有组的文章。"});
    EXPECT_EQ(book.groups[1].name, "第一组");
    EXPECT_EQ(book.groups[1].articles[0].paragraphs, (std::vector<std::string>{"    第一段", "　　第二段"}));
    EXPECT_EQ(book.groups[2].name, "第二组");
    EXPECT_TRUE(book.hasNamedGroups());
    ASSERT_NE(book.find("乙"), nullptr);
    EXPECT_EQ(book.find("乙")->paragraphs, std::vector<std::string>{"    只有一段"});
    EXPECT_EQ(book.find("第一组"), nullptr);  // a group is not an article
}

TEST(ArticleFormat, MisplacedLinesAreReportedWithTheirLineNumbers) {
    const ArticleBook book = parseArticles("    无主的段落\n## 甲\n    一\n## \n    二\n## 甲\n    三\n");
    std::vector<std::string> lines;
    for (const auto& p : book.problems) lines.push_back(p.substr(0, p.find(':')));
    EXPECT_EQ(lines, (std::vector<std::string>{"1", "4", "5", "6"}));
    // A paragraph under a title-less heading does not slip into the article before it.
    EXPECT_EQ(book.groups.at(0).articles.size(), 2u);
    // The first of two same-named articles is the one a click shows.
    EXPECT_EQ(book.find("甲")->paragraphs, std::vector<std::string>{"    一"});
    EXPECT_FALSE(book.hasNamedGroups());
}

TEST(ArticleFormat, SuperscriptMarks) {
    struct Case {
        const char* line;
        const char* shown;
        std::vector<int> offsets;
    };
    const Case cases[] = {
        {"    10^{100}个", "    10100个", {6, 7, 8}},
        {"　　55^{2}＝3025，45^{2}＝2025", "　　552＝3025，452＝2025", {4, 13}},
        {"    a^{}b", "    a^{}b", {}},  // nothing to raise
        {"    x^{2 没有右括号", "    x^{2 没有右括号", {}},
        {"    ^{上}^{下}", "    上下", {4, 5}},
        {"    2^3", "    2^3", {}},
    };
    for (const auto& c : cases) {
        const ArticleBook book = parseArticles(std::string("## 题\n") + c.line);
        const Article& a = book.groups.at(0).articles.at(0);
        EXPECT_EQ(a.paragraphs.at(0), c.shown) << c.line;
        std::vector<int> offsets;
        for (const auto& s : a.superscripts) {
            EXPECT_EQ(s.paragraph, 0);
            offsets.push_back(s.offset);
        }
        EXPECT_EQ(offsets, c.offsets) << c.line;
    }
}

TEST(ArticleFormat, DisplayedTextCountsEachLineBreakTwice) {
    const ArticleBook book = parseArticles("## 标题\n    第一段\n    段二x^{2}\n");
    const Article& a = *book.find("标题");
    EXPECT_EQ(displayText(a), "标题\r\n    第一段\r\n    段二x2");
    // 标题 CR LF = 4, "    第一段" CR LF = 9, then "    段二x" = 7.
    ASSERT_EQ(a.superscripts.size(), 1u);
    EXPECT_EQ(displayPosition(a, a.superscripts[0]), 20);
    EXPECT_EQ(charactersAt(a, positions(a)), "2");
    EXPECT_EQ(textLength(a), 3 + 4);
}

TEST(ArticleFormat, MalformedBytesDoNotShiftTheRaisedCharacters) {
    // A broken sequence split by a mark must not join into one character once
    // the mark is gone.
    const ArticleBook book = parseArticles("## 题\n    \xE4^{\xB8\x8E}x^{2}\n");
    const Article& a = *book.find("题");
    ASSERT_EQ(a.superscripts.size(), 3u);
    EXPECT_EQ(charactersAt(a, positions(a)), "\uFFFD\uFFFD2");
}

TEST(ArticleFormat, Indentation) {
    const std::pair<const char*, const char*> cases[] = {
        {"    正文", "    "}, {"　　正文", "　　"}, {"     正文", ""}, {"　　　正文", ""},
        {"  正文", ""},       {"正文", ""},         {"    ", ""},      {"　正文", ""},
    };
    for (const auto& [p, indent] : cases) EXPECT_EQ(indentation(p), indent) << p;
}

struct BoxCase {
    const char* file;
    std::vector<std::pair<std::string, std::vector<std::string>>> groups;
};

class ArticleFiles : public testing::TestWithParam<BoxCase> {};

TEST_P(ArticleFiles, EveryTitleHasOneArticleInOrderOfTheRightLengthAndIndentation) {
    const BoxCase& box = GetParam();
    const ArticleBook book = parseArticles(readFile(box.file));
    EXPECT_TRUE(book.problems.empty()) << book.problems.front();
    ASSERT_EQ(book.groups.size(), box.groups.size());
    for (std::size_t g = 0; g < box.groups.size(); ++g) {
        EXPECT_EQ(book.groups[g].name, box.groups[g].first);
        EXPECT_EQ(titles(book.groups[g]), box.groups[g].second);
        for (const Article& a : book.groups[g].articles) {
            const int n = textLength(a);
            EXPECT_GE(n, 150) << a.title;
            EXPECT_LE(n, 500) << a.title;
            for (const auto& p : a.paragraphs) EXPECT_FALSE(indentation(p).empty()) << a.title << ": " << p;
            EXPECT_EQ(a.paragraphs.front().find("^{"), std::string::npos) << a.title;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ArticleFiles,
    testing::Values(
        BoxCase{
            "knowledge.txt",
            {{"数学基础", {"数学的起源", "你能数到多少", "有趣的九宫格", "无理数的发现", "黄金分割", "整除的规律"}},
             {"初级代数", {"代数之父", "代数与几何", "挑战出来的公式", "被人遗忘的天才", "杨辉三角", "伟大的李善兰"}},
             {"奇妙数字", {"完全数", "亲和数", "黑洞数", "回文数", "雷劈数", "缺8数", "1/243"}}}},
        BoxCase{"paradox.txt",
                {{"",
                  {"了解悖论", "说谎者悖论", "理发师悖论", "苏格拉底悖论", "阿基里斯悖论", "二分法悖论", "飞矢不动",
                   "无穷悖论", "断句悖论", "秦赵之约", "白马非马", "自相矛盾", "悖论元", "鸡与蛋", "上帝与石头",
                   "强盗与商人"}}}},
        BoxCase{"puzzle.txt",
                {{"",
                  {"分羊遗嘱", "残杀战俘", "兄弟等车", "找谁算命", "继续发牌吗", "失踪的钱", "实际损失", "奇特律令",
                   "运送钢管", "燃香计时", "套娃价格", "马牛和羊", "摩天大楼"}}}}),
    [](const testing::TestParamInfo<BoxCase>& info) {
        return std::string(info.param.file).substr(0, std::string(info.param.file).find('.'));
    });

TEST(ArticleFiles, RaisedCharactersAreTheExponents) {
    const ArticleBook book = parseArticles(readFile("knowledge.txt"));
    struct Case {
        const char* title;
        std::vector<int> positions;
        const char* raised;  // the characters at those positions
    };
    const Case cases[] = {
        {"你能数到多少", {287, 288, 289}, "100"},
        {"雷劈数", {117, 211, 355}, "222"},
    };
    for (const auto& c : cases) {
        const Article* a = book.find(c.title);
        ASSERT_NE(a, nullptr) << c.title;
        EXPECT_EQ(positions(*a), c.positions) << c.title;
        EXPECT_EQ(charactersAt(*a, c.positions), c.raised) << c.title;
    }
    // Each exponent 2 follows its base: 55, 45, 99.
    const Article* a = book.find("雷劈数");
    EXPECT_EQ(charactersAt(*a, {115, 116, 209, 210, 353, 354}), "554599");
    EXPECT_EQ(charactersAt(*book.find("你能数到多少"), {285, 286}), "10");
    // Nothing else is raised in any box.
    for (const char* file : {"knowledge.txt", "paradox.txt", "puzzle.txt"})
        for (const auto& g : parseArticles(readFile(file)).groups)
            for (const auto& art : g.articles)
                if (art.title != "你能数到多少" && art.title != "雷劈数") {
                    EXPECT_TRUE(art.superscripts.empty()) << art.title;
                }
}

TEST(ArticleFiles, PalindromeArticleExplainsReverseAndAdd) {
    // The conjecture explorer sends its readers here.
    const ArticleBook book = parseArticles(readFile("knowledge.txt"));
    ASSERT_EQ(book.groups.size(), 3u);
    EXPECT_EQ(book.groups[2].name, "奇妙数字");
    const Article* a = book.find("回文数");
    ASSERT_NE(a, nullptr);
    const std::string text = displayText(*a);
    EXPECT_NE(text.find("倒序相加"), std::string::npos);
    EXPECT_NE(text.find("196"), std::string::npos);
}
