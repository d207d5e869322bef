// The number windows' workings over random inputs: every "＝" joins equal
// values, every ladder divides exactly, and the working ends in the very
// answer the window shows.
#include <gtest/gtest.h>

#include <random>
#include <stop_token>

#include "app/toolsession.h"
#include "tools/number/accumulator.h"
#include "tools/number/baseconv.h"
#include "tools/number/calculator.h"
#include "tools/number/dates.h"
#include "tools/number/deposit.h"
#include "tools/number/factorize.h"
#include "tools/number/gcd.h"
#include "tools/number/primewindows.h"
#include "tools/number/remainder.h"
#include "tools/number/statistics.h"
#include "workingcheck.h"

using namespace kz;
using boost::multiprecision::cpp_int;

namespace {

using Edits = std::vector<std::pair<std::string, std::string>>;

// A fresh window after the edits and one press of `button`, jobs run inline.
std::unique_ptr<WindowModel> pressed(std::unique_ptr<WindowModel> w, const Edits& edits,
                                     const char* button = "Command1") {
    w->load();
    for (const auto& [name, text] : edits) w->edit(name, text);
    w->press(button);
    settleJobs(*w);
    return w;
}

std::string shown(const WindowModel& w, const char* name) { return w.state(name).text; }

// Each row's numbers are the divisor times the numbers under them, plus the
// row's remainder.
std::vector<std::string> ladderProblems(const Working& w) {
    std::vector<std::string> problems;
    for (const WorkingBlock& b : w.blocks()) {
        if (b.kind != WorkingBlock::Kind::Ladder) continue;
        for (std::size_t i = 0; i < b.rows.size(); ++i) {
            const LadderRow& r = b.rows[i];
            const auto& under = i + 1 < b.rows.size() ? b.rows[i + 1].numbers : b.left;
            if (under.size() != r.numbers.size()) {
                problems.push_back("row " + r.divisor + ": columns");
                continue;
            }
            const cpp_int d(r.divisor), rest(r.remainder.value_or("0"));
            if (d < 2 || rest < 0 || rest >= d)
                problems.push_back("row " + r.divisor + ": remainder " + r.remainder.value_or(""));
            for (std::size_t c = 0; c < under.size(); ++c)
                if (cpp_int(r.numbers[c]) != d * cpp_int(under[c]) + rest)
                    problems.push_back(r.numbers[c] + " ≠ " + r.divisor + "×" + under[c]);
        }
    }
    return problems;
}

// What the last line says the answer is: the text after its last "＝", "是" or "：".
std::string lastValue(const Working& w) {
    const auto lines = w.plainLines();
    if (lines.empty()) return "<no working>";
    const std::string& line = lines.back();
    std::size_t cut = 0;
    for (std::string_view sep : {"＝", "是", "："})
        if (auto p = line.rfind(sep); p != std::string::npos) cut = std::max(cut, p + sep.size());
    return line.substr(cut);
}

void expectSound(const Working& w, const std::string& answer, double tolerance, const std::string& what) {
    ASSERT_FALSE(w.empty()) << what;
    EXPECT_EQ(test::unequalJoins(w, tolerance), std::vector<std::string>{}) << what << "\n" << w.plainText();
    EXPECT_EQ(ladderProblems(w), std::vector<std::string>{}) << what << "\n" << w.plainText();
    EXPECT_EQ(lastValue(w), answer) << what << "\n" << w.plainText();
}

std::mt19937_64& rng() {
    static std::mt19937_64 r(20101209);
    return r;
}
std::int64_t uniform(std::int64_t lo, std::int64_t hi) {
    return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng());
}
std::string digits(std::int64_t lo, std::int64_t hi) { return std::to_string(uniform(lo, hi)); }

}  // namespace

TEST(NumberWorking, GcdAndLcmLaddersEndInTheResult) {
    for (int i = 0; i < 300; ++i) {
        // A shared factor most of the time, so that ladders are long.
        const std::int64_t f = uniform(1, 5000);
        const std::string top = std::to_string(uniform(1, 9999999999 / f) * f);
        const std::string bottom = std::to_string(uniform(1, 9999999999 / f) * f);
        auto gcd = pressed(makeGcdWindow(), {{"Text2", top}, {"Text1", bottom}});
        expectSound(gcd->working(), shown(*gcd, "Label1"), 0, "gcd " + top + " " + bottom);
        EXPECT_LE(gcd->working().blocks().front().rows.size(), 33u);

        const std::string a = digits(1, 999), b = digits(1, 999);
        auto lcm = pressed(makeLcmWindow(), {{"Text1", a}, {"Text2", b}});
        expectSound(lcm->working(), shown(*lcm, "Label2"), 0, "lcm " + a + " " + b);
    }
}

TEST(NumberWorking, GcdLadderListsTheTopBoxFirstAndStopsWhenCoprime) {
    auto w = pressed(makeGcdWindow(), {{"Text2", "8589934592"}, {"Text1", "8589934592"}});
    ASSERT_EQ(w->working().blocks().size(), 2u);
    const WorkingBlock& ladder = w->working().blocks().front();
    EXPECT_EQ(ladder.rows.size(), 33u);  // 2^33: one row per factor
    EXPECT_EQ(ladder.left, (std::vector<std::string>{"1", "1"}));
    auto order = pressed(makeGcdWindow(), {{"Text2", "18"}, {"Text1", "12"}});
    EXPECT_EQ(order->working().blocks().front().rows.front().numbers, (std::vector<std::string>{"18", "12"}));
}

TEST(NumberWorking, RemainderDivisionAndCheck) {
    for (int i = 0; i < 300; ++i) {
        const std::string a = digits(-2147483647, 2147483647);
        std::string b = digits(-32768, 32767);
        if (b == "0") b = "7";
        auto w = pressed(makeRemainderWindow(), {{"Text1", a}, {"Text2", b}});
        const std::string r = shown(*w, "Text4");
        const auto lines = w->working().plainLines();
        ASSERT_EQ(lines.size(), 2u) << a << " " << b;
        EXPECT_TRUE(lines[0].ends_with("＝" + shown(*w, "Text3") + (r == "0" ? "" : "……" + r))) << lines[0];
        expectSound(w->working(), shown(*w, "Text1"), 0, a + "÷" + b);  // the check ends in the dividend
    }
}

TEST(NumberWorking, AccumulatorAndDepositStepsEndInTheBox) {
    for (int i = 0; i < 300; ++i) {
        const std::string a = digits(-999999999999999, 999999999999999), b = digits(-99999, 99999),
                          n = digits(-999, 999999999999999);
        auto w = pressed(makeAccumulatorWindow(), {{"Text1", a}, {"Text2", b}, {"Text3", n}});
        expectSound(w->working(), shown(*w, "Text4"), 1e-13, a + " " + b + " " + n);

        const auto terms = depositTerms();
        const std::string term(terms[static_cast<std::size_t>(uniform(0, 5))].entry);
        const std::string principal = digits(0, 99999999) + "." + digits(0, 99);
        auto d = pressed(makeDepositWindow(), {{"Combo1", term}, {"Text1", principal}});
        expectSound(d->working(), shown(*d, "Text2"), 1e-13, principal + " " + term);
    }
}

TEST(NumberWorking, BaseConversionReadsTheRemaindersUpwards) {
    const char* bases[] = {"二进制", "八进制", "十六进制"};
    const char* subscripts[] = {"₂", "₈", "₁₆"};
    for (int i = 0; i < 150; ++i) {
        const int k = static_cast<int>(uniform(0, 2));
        const std::string n = i % 3 ? digits(-999999999, 2147483647) : digits(-20, 300);
        auto w = pressed(makeBaseConvWindow(), {{"Combo1", bases[k]}, {"Text1", n}});
        const std::string result = shown(*w, "Text2");
        if (result.empty()) {  // a negative number has no binary form here
            EXPECT_EQ(w->working().plainLines(),
                      (std::vector<std::string>{shown(*w, "Text1") + "是负数，这里只把正整数和0转换成二进制"}));
            continue;
        }
        expectSound(w->working(), "(" + result + ")" + subscripts[k], 0, n + " " + bases[k]);
    }
}

TEST(NumberWorking, PrimeJudgeGivesTheReason) {
    for (int i = 0; i < 300; ++i) {
        const std::string n = i % 10 ? digits(2, 9999999) : digits(-50, 1);
        auto w = pressed(makePrimeJudgeWindow(), {{"Text1", n}});
        const std::string verdict = shown(*w, "Text2");
        const std::string last = w->working().plainLines().back();
        if (verdict.starts_with("是质数")) EXPECT_TRUE(last == "所以" + n + "是质数") << last;
        else if (verdict.starts_with("是合数")) EXPECT_TRUE(last.ends_with("所以" + n + "是合数")) << last;
        else EXPECT_TRUE(last.ends_with("既不是质数，也不是合数")) << last;
        EXPECT_EQ(test::unequalJoins(w->working()), std::vector<std::string>{}) << w->working().plainText();
    }
}

TEST(NumberWorking, FactorizationLadderFromTheFactorizersList) {
    for (int i = 0; i < 200; ++i) {
        std::string n = digits(1, 9);
        const auto length = uniform(1, 25);
        while (static_cast<std::int64_t>(n.size()) < length) n += digits(0, 9);
        auto w = pressed(makeFactorizationWindow(), {{"Text1", n}});
        const std::string result = shown(*w, "Text2");
        // The box's text is the factorizer's own, though the window builds it from the factor list.
        EXPECT_EQ(result, factorizationText(*readFactorInput(n))) << n;
        if (result == "这是一个质数") {
            EXPECT_EQ(w->working().plainLines(), std::vector<std::string>{n + "是质数"});
        } else if (n == "1") {
            EXPECT_EQ(w->working().plainLines(), std::vector<std::string>{"1既不是质数，也不是合数"});
        } else {
            // The last line's product, written with the box's "*", is the box's text.
            std::string product = result;
            for (std::size_t p; (p = product.find('*')) != std::string::npos;) product.replace(p, 1, "×");
            expectSound(w->working(), product, 0, n);
        }
    }
}

TEST(NumberWorking, FactorizationStoppedOrEmptyHasNoWorking) {
    std::stop_source stop;
    stop.request_stop();
    EXPECT_TRUE(factorizeCalculate("9348729337461906045745471", stop.get_token()).working.empty());
    for (const char* n : {"", "0", "-12"}) {
        auto w = pressed(makeFactorizationWindow(), {{"Text1", n}});
        EXPECT_TRUE(w->working().empty()) << n;
    }
}

TEST(NumberWorking, LeapYearSentencesEndInTheVerdict) {
    for (int y = -999; y <= 9999; y += static_cast<int>(uniform(1, 60))) {
        auto w = pressed(makeLeapYearWindow(), {{"Text1", std::to_string(y)}});
        const std::string last = w->working().plainLines().back();
        EXPECT_TRUE(last.ends_with("，所以" + std::to_string(y) + "年是" + shown(*w, "Label1"))) << last;
        EXPECT_EQ(test::unequalJoins(w->working()), std::vector<std::string>{}) << w->working().plainText();
    }
}

TEST(NumberWorking, DaysCountedInAFewLinesForAnySpan) {
    auto date = [] {
        char s[11];
        std::snprintf(s, sizeof s, "%04d-%02d-%02d", static_cast<int>(uniform(1, 9999)),
                      static_cast<int>(uniform(1, 12)), static_cast<int>(uniform(1, 28)));
        return std::string(s);
    };
    for (int i = 0; i < 300; ++i) {
        const std::string a = date(), b = i % 4 ? date() : a.substr(0, 8) + "28";
        auto w = pressed(makeDateDiffWindow(), {{"Text1", a}, {"Text2", b}});
        std::string answer = shown(*w, "Label1");
        answer.resize(answer.size() - std::string("天").size());
        std::string last = w->working().plainLines().back();
        for (std::string_view unit : {"（天）", "天"})
            if (last.ends_with(unit)) last.resize(last.size() - unit.size());
        last = last.substr(last.find_last_not_of("-0123456789") + 1);  // the number the line ends in
        EXPECT_EQ(last, answer) << a << " " << b << "\n" << w->working().plainText();
        EXPECT_LE(w->working().plainLines().size(), 8u);
        EXPECT_EQ(test::unequalJoins(w->working()), std::vector<std::string>{}) << w->working().plainText();
    }
}

TEST(NumberWorking, StatisticsMeanMedianAndRange) {
    for (int i = 0; i < 300; ++i) {
        std::string list;
        for (auto n = uniform(1, 30); n > 0; --n)
            list += (list.empty() ? "" : ",") + (uniform(0, 3) ? digits(0, 20) : digits(0, 999) + "." + digits(1, 99));
        auto w = pressed(makeStatisticsWindow(), {{"txtList", list}}, "cmdAnalyse");
        const auto lines = w->working().plainLines();
        ASSERT_EQ(lines.size(), 5u) << list;
        EXPECT_TRUE(lines[1].ends_with("＝" + shown(*w, "txtStat(0)"))) << lines[1];
        EXPECT_TRUE(lines[2].ends_with(shown(*w, "txtStat(11)"))) << lines[2];
        EXPECT_TRUE(lines[4].starts_with("极差：" + shown(*w, "txtStat(13)") + "－" + shown(*w, "txtStat(9)")))
            << lines[4];
        EXPECT_EQ(test::unequalJoins(w->working(), 1e-13), std::vector<std::string>{}) << w->working().plainText();
    }
    auto failed = pressed(makeStatisticsWindow(), {{"txtList", "1,,2"}}, "cmdAnalyse");
    EXPECT_TRUE(failed->working().empty());
}

TEST(NumberWorking, CalculatorTapeFollowsTheDisplay) {
    auto w = makeCalculatorWindow();
    w->load();
    const char* keys[] = {"+", "-", "*", "/", "=", "=", "."};
    for (int i = 0; i < 800; ++i) {
        const unsigned before = w->workingRevision();
        const auto pick = uniform(0, 16);
        if (pick < 7) w->key(keys[pick]);
        else if (pick == 7) w->press("cmdOpposite");
        else w->key(std::to_string(pick - 7));
        (void)w->takeEvents();
        if (w->workingRevision() == before || w->working().empty()) continue;
        std::string display = shown(*w, "Text1");
        if (display.ends_with(".")) display.pop_back();
        const std::string last = w->working().plainLines().back();
        EXPECT_TRUE(last.ends_with("＝" + display) || last.ends_with("的相反数是" + display))
            << last << " / " << display;
        // Fifteen digits on each side of a subtraction that cancels: not exact, but close.
        EXPECT_EQ(test::unequalJoins(w->working(), 1e-9), std::vector<std::string>{}) << w->working().plainText();
    }
}

TEST(NumberWorking, CalculatorTapeIsBoundedAndClearedWithTheDisplay) {
    auto w = makeCalculatorWindow();
    w->load();
    EXPECT_TRUE(w->working().empty());
    for (int i = 0; i < 400; ++i)
        for (const char* k : {"1", "+", "2", "="}) w->key(k);
    const auto lines = w->working().plainLines();
    ASSERT_EQ(lines.size(), PocketCalculator::kTapeLines);
    EXPECT_EQ(lines.back(), "1＋2＝3");
    for (const char* k : {"9", "/", "0", "="}) w->key(k);  // the failure clears, and the tape with it
    EXPECT_TRUE(w->working().empty());
    for (const char* k : {"2", ".", "5", "*", "4", "=", "Esc"}) w->key(k);
    EXPECT_TRUE(w->working().empty());
}
