#include <gtest/gtest.h>

#include <random>
#include <string>

#include "framework/windowmodel.h"
#include "tools/number/baseconv.h"

using namespace kz;

TEST(BaseConversion, ResultsInEachBase) {
    struct Case {
        const char* input;
        const char* binary;
        const char* octal;
        const char* hex;
    };
    const Case cases[] = {
        {"255", "11111111", "377", "FF"},
        {"0", "0", "0", "0"},
        {"", "0", "0", "0"},
        {"-", "0", "0", "0"},
        {"-0", "0", "0", "0"},
        {"1", "1", "1", "1"},
        {"-1", "", "37777777777", "FFFFFFFF"},
        {"2147483647", "1111111111111111111111111111111", "17777777777", "7FFFFFFF"},
        {"-2147483648", "", "20000000000", "80000000"},
        {"0010", "1010", "12", "A"},
    };
    for (const Case& c : cases) {
        for (auto [base, want] : {std::pair{kBaseBinary, c.binary}, {kBaseOctal, c.octal}, {kBaseHex, c.hex}}) {
            Outcome o = baseConvert(c.input, base);
            EXPECT_EQ(o.set.at("Text2"), want) << c.input << " " << base;
            EXPECT_TRUE(o.messages.empty());
        }
    }
}

TEST(BaseConversion, DigitsReadBackToTheNumber) {
    std::mt19937 rng(14);
    std::uniform_int_distribution<std::int32_t> any(1, 2147483647);
    for (int i = 0; i < 3000; ++i) {
        const std::int32_t n = any(rng);
        const std::string in = std::to_string(n);
        ASSERT_EQ(std::stoll(baseConvert(in, kBaseBinary).set.at("Text2"), nullptr, 2), n);
        ASSERT_EQ(std::stoll(baseConvert(in, kBaseOctal).set.at("Text2"), nullptr, 8), n);
        ASSERT_EQ(std::stoll(baseConvert(in, kBaseHex).set.at("Text2"), nullptr, 16), n);
        ASSERT_EQ(std::stoll(baseConvert("-" + in, kBaseHex).set.at("Text2"), nullptr, 16), 4294967296LL - n);
    }
}

TEST(BaseConversion, OutOfRangeKeepsTheResultInEveryBase) {
    for (std::string_view base : {kBaseBinary, kBaseOctal, kBaseHex}) {
        Outcome below = baseConvert("-2147483649", base);  // longer than the box admits
        EXPECT_TRUE(below.set.empty());
        EXPECT_EQ(below.messages.size(), 1u);
        for (const char* input : {"2147483648", "9999999999"}) {
            auto m = openWindowModel("Form14");
            m->edit("Combo1", base);
            m->edit("Text1", "12");
            m->press("Command1");
            const std::string before(m->state("Text2").text);
            m->takeEvents();
            m->edit("Text1", input);
            m->press("Command1");
            EXPECT_EQ(m->state("Text2").text, before) << input << " " << base;
            auto events = m->takeEvents();
            ASSERT_EQ(events.size(), 1u);
            EXPECT_EQ(events[0].message, (Message{"发生错误！", "错误", MessageIcon::Error}));
            EXPECT_TRUE(m->state("Command3").enabled);
        }
    }
}

TEST(BaseConversion, WindowWithoutABaseAndClear) {
    auto m = openWindowModel("Form14");
    m->edit("Text1", "12a3");
    EXPECT_EQ(m->state("Text1").text, "123");
    m->press("Command1");
    EXPECT_EQ(m->state("Text2").text, "");
    m->press("Command3");
    auto events = m->takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].message.text, "计算结果出来后才可以复制！");
    m->edit("Combo1", "十六进制");
    m->key("Enter");
    m->press("Command3");
    events = m->takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].text, "7B");
    m->press("Command2");
    EXPECT_EQ(m->state("Text1").text, "");
    EXPECT_EQ(m->state("Text2").text, "");
    EXPECT_EQ(m->state("Combo1").text, "十六进制");
}
