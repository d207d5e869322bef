// The calculation bar's entry rule and credit words, and the short texts file.
#include "calc/calcbar_rules.h"

#include <gtest/gtest.h>

#include "app/shorttexts.h"

namespace {

TEST(CalcBarEntry, OperatorAloneContinuesFromTheAnswer) {
    struct Case {
        const char* entry;
        bool enabled;
        std::optional<std::string> replacement;
    };
    const Case cases[] = {
        {"", false, std::nullopt},    {"+", true, "ans+"},        {"*", true, "ans*"},
        {"/", true, "ans/"},          {"-", true, std::nullopt},  {"^", true, std::nullopt},
        {"ans+", true, std::nullopt}, {" +", true, std::nullopt}, {"++", true, std::nullopt},
        {"1+", true, std::nullopt},   {"＋", true, std::nullopt},
    };
    for (const auto& c : cases) {
        const kz::EntryChange change = kz::entryChanged(c.entry);
        EXPECT_EQ(change.calculateEnabled, c.enabled) << '"' << c.entry << '"';
        EXPECT_EQ(change.replacement, c.replacement) << '"' << c.entry << '"';
    }
}

TEST(CalcBarCalculate, CreditWordsInAnyCaseShowTheMakers) {
    kz::Evaluator evaluator(kz::ConstantsLocator::exactly("/nonexistent/constants.csd"));
    const kz::Credits credits{"the program", "the studio", "the team"};
    EXPECT_EQ(kz::calculate(evaluator, "1/3", "", credits).answer, "0.333333333333333");
    struct Case {
        const char* entry;
        const char* answer;
        const char* lowered;
    };
    const Case cases[] = {
        {"name", "the program", "name"},
        {"Company", "the studio", "company"},
        {"AUTHOR", "the team", "author"},
        {"names", "发生错误！\r\nprevious", "names"},
        {" name", "发生错误！\r\nprevious", " name"},
    };
    for (const auto& c : cases) {
        const kz::Calculated out = kz::calculate(evaluator, c.entry, "previous", credits);
        EXPECT_EQ(out.answer, c.answer) << c.entry;
        EXPECT_EQ(out.lowered, c.lowered) << c.entry;
    }
    // A credit word is still an expression that failed: ans keeps the last result.
    EXPECT_EQ(kz::calculate(evaluator, "ans*3", "", credits).answer, "0.999999999999999");
}

TEST(ShortTextsParser, ReadKeyValueLines) {
    const auto texts = kz::parseShortTexts(
        "# comment\r\n"
        "a=1\r\n"
        "\n"
        "b = two = 2\n"
        "no equals sign\n"
        "a=again\n"
        "empty=\n"
        "last=end");
    EXPECT_EQ(texts.size(), 4u);
    EXPECT_EQ(kz::shortText(texts, "a"), "1");
    EXPECT_EQ(kz::shortText(texts, "b "), " two = 2");
    EXPECT_EQ(kz::shortText(texts, "empty"), "");
    EXPECT_EQ(kz::shortText(texts, "last"), "end");
    EXPECT_EQ(kz::shortText(texts, "missing"), "");
}

}  // namespace
