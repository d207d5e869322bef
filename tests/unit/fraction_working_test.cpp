// The workings of the fraction and equation windows, checked as a teacher
// would over random inputs: every ＝ joins equal exact values and the working
// ends with the answer the window shows. A window that reports a failure has
// no working.
#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "app/toolsession.h"
#include "framework/windowmodel.h"
#include "tools/equation/elimination.h"
#include "tools/equation/linear.h"
#include "tools/fraction/exacttext.h"
#include "tools/fraction/fractionworking.h"
#include "workingcheck.h"

using namespace kz;
using kz::test::ExactReader;
using kz::test::unequalJoins;

namespace {

struct Driven {
    std::unique_ptr<WindowModel> m;
    bool failed = false;

    explicit Driven(const char* form) : m(openWindowModel(form)) { m->takeEvents(); }
    void set(const std::string& box, const std::string& text) { m->edit(box, text); }
    void press(const char* button) {
        m->press(button);
        failed = false;
        for (const auto& e : m->takeEvents())
            if (e.kind == WindowEvent::Kind::Message && e.message.icon == MessageIcon::Error) failed = true;
    }
    std::string text(const std::string& name) const { return m->state(name).text; }
    std::vector<std::string> lines() const { return m->working().plainLines(); }
};

// What follows the last "＝" of a line.
std::string afterLastEquals(const std::string& line) {
    const auto at = line.rfind("＝");
    return at == std::string::npos ? line : line.substr(at + std::string("＝").size());
}

std::optional<Rational> valueOf(std::string_view text) { return ExactReader(text).read(); }

// "0＝2，不成立" states that an equation fails: the one ＝ a teacher does not read as a claim.
Working withoutRefutations(const Working& w) {
    Working claims;
    for (const WorkingBlock& b : w.blocks()) {
        if (b.kind == WorkingBlock::Kind::Steps) claims.steps(b.steps);
        else if (b.kind == WorkingBlock::Kind::Ladder) claims.ladder(b.rows, b.left);
        else if (b.text.find("不成立") == std::string::npos) claims.line(b.lead, b.text);
    }
    return claims;
}

// The checks every working must pass; returns its lines for the window's own check.
std::vector<std::string> checked(const Driven& w, const std::string& what) {
    if (w.failed) {
        EXPECT_TRUE(w.m->working().empty()) << what;
        return {};
    }
    EXPECT_FALSE(w.m->working().empty()) << what;
    for (const std::string& p : unequalJoins(withoutRefutations(w.m->working()))) ADD_FAILURE() << what << ": " << p;
    return w.lines();
}

std::string pick(std::mt19937& rng, const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng)];
}

std::string anInt(std::mt19937& rng, int lo, int hi) {
    return std::to_string(std::uniform_int_distribution<int>(lo, hi)(rng));
}

// A negative window text written as the working writes it, in parentheses below a bar.
std::string below(const std::string& t) { return t.starts_with('-') ? "(" + shownText(t) + ")" : t; }

}  // namespace

TEST(FractionWorkingProperty, ArithmeticEndsWithTheWindowsResult) {
    std::mt19937 rng(20261209);
    const char* ops[] = {"Option1", "Option2", "Option3", "Option4"};
    for (int i = 0; i < 400; ++i) {
        Driven w("Form3");
        const int range = i % 10 == 0 ? 32767 : 24;
        for (const char* box : {"Text1", "Text2", "Text3", "Text4"}) w.set(box, anInt(rng, -range, range));
        w.m->select(ops[i % 4]);
        w.press("Command1");
        const std::string what =
            w.text("Text1") + "/" + w.text("Text2") + " " + ops[i % 4] + " " + w.text("Text3") + "/" + w.text("Text4");
        const auto lines = checked(w, what);
        if (lines.empty()) continue;
        const std::string n = w.text("Text5"), d = w.text("Text6");
        EXPECT_EQ(afterLastEquals(lines.back()), d == "1" ? shownText(n) : shownText(n) + "/" + below(d)) << what;
    }
}

TEST(FractionWorkingProperty, ReductionEndsWithTheWindowsResult) {
    std::mt19937 rng(7);
    for (int i = 0; i < 400; ++i) {
        Driven w("Form20");
        // Products of small primes, so most fractions have a ladder of several rows.
        auto smooth = [&] {
            long v = 1;
            for (int k = std::uniform_int_distribution<int>(0, 6)(rng); k > 0; --k)
                v *= pick(rng, {"2", "3", "5", "7"})[0] - '0';
            return std::to_string(i % 3 == 0 ? -v : v);
        };
        w.set("Text1", i % 17 == 0 ? "0" : smooth());
        w.set("Text2", i % 5 == 0 ? anInt(rng, -999, 999) : smooth());
        w.press("Command1");
        const std::string what = w.text("Text1") + "/" + w.text("Text2");
        const auto lines = checked(w, what);
        if (lines.empty()) continue;
        // Short division: each row by a prime common to both, the numbers below divided by it, until coprime.
        for (const WorkingBlock& b : w.m->working().blocks()) {
            if (b.kind != WorkingBlock::Kind::Ladder) continue;
            std::vector<long> below;
            for (std::size_t r = 0; r <= b.rows.size(); ++r) {
                const auto& numbers = r < b.rows.size() ? b.rows[r].numbers : b.left;
                ASSERT_EQ(numbers.size(), 2u) << what;
                const long x = std::stol(numbers[0]), y = std::stol(numbers[1]);
                if (r > 0) {
                    EXPECT_EQ((std::vector<long>{x, y}), below) << what;
                }
                if (r == b.rows.size()) {
                    EXPECT_EQ(std::gcd(x, y), 1) << what;
                    break;
                }
                const long p = std::stol(b.rows[r].divisor);
                EXPECT_EQ(x % p + y % p, 0) << what;
                for (long f = 2; f * f <= p; ++f) EXPECT_NE(p % f, 0) << what << ": " << p << " is not prime";
                below = {x / p, y / p};
            }
        }
        const std::string n = w.text("Text3"), d = w.text("Text4");
        const std::string answer = d == "1" ? shownText(n) : shownText(n) + "/" + d;
        const std::string& last = lines.back();
        EXPECT_TRUE(afterLastEquals(last) == answer || last.ends_with(answer + "已是最简分数")) << what << ": " << last;
    }
}

TEST(FractionWorkingProperty, ComparisonConcludesWithTheWindowsSign) {
    std::mt19937 rng(11);
    for (int i = 0; i < 400; ++i) {
        Driven w("Form24");
        for (const char* box : {"Text1", "Text2", "Text3", "Text4"}) w.set(box, anInt(rng, -30, 30));
        w.press("Command1");
        const std::string what =
            w.text("Text1") + "/" + w.text("Text2") + " vs " + w.text("Text3") + "/" + w.text("Text4");
        const auto lines = checked(w, what);
        if (lines.empty()) continue;
        const std::string sign = w.text("Label1") == "<" ? "＜" : w.text("Label1") == ">" ? "＞" : "＝";
        const std::string& last = lines.back();
        const std::string conclusion = last.substr(last.rfind("所以"));
        EXPECT_NE(conclusion.find(sign), std::string::npos) << what << ": " << last;
    }
}

TEST(FractionWorkingProperty, ConversionEndsWithTheWindowsNumber) {
    std::mt19937 rng(13);
    for (int i = 0; i < 300; ++i) {
        Driven w("Form37");
        if (i % 2 == 0) {
            w.set("Text1", i % 10 == 0 ? pick(rng, {"7.5", "2.5", "0.4", "12.51"}) : anInt(rng, 0, 200));
            w.set("Text2", i % 14 == 0 ? pick(rng, {"2.5", "3.5", "1.49"}) : anInt(rng, 0, 12));
            w.press("Command1");
            const auto lines = checked(w, w.text("Text1") + "/" + w.text("Text2"));
            if (lines.empty()) continue;
            const Rational d = toInt32(strictNumber(w.text("Text2")));  // what the window divided by
            const Rational shown = *exactNumber(w.text("Text3")) + *exactNumber(w.text("Text4")) / d;
            EXPECT_EQ(valueOf(afterLastEquals(lines.back())), shown) << lines.back();
        } else {
            w.m->select("Option2");
            w.set("Text8", anInt(rng, 0, 30));
            w.set("Text7", i % 10 == 1 ? "0.25" : anInt(rng, 0, 30));
            w.set("Text6", i % 6 == 1 ? "1.5" : anInt(rng, 0, 12));
            w.press("Command1");
            const auto lines = checked(w, w.text("Text8") + "又" + w.text("Text7") + "/" + w.text("Text6"));
            if (lines.empty()) continue;
            EXPECT_EQ(valueOf(afterLastEquals(lines.back())),
                      *exactNumber(w.text("Text10")) / *exactNumber(w.text("Text9")))
                << lines.back();
        }
    }
}

TEST(EquationWorkingProperty, LinearSolutionIsTheWindowsAnswer) {
    std::mt19937 rng(17);
    const std::vector<std::string> numbers{"0", "1", "2", "3", "7", "12", "0.5", "1.5", "2.25", "0.1", "10", ""};
    for (int i = 0; i < 400; ++i) {
        Driven w("Form31");
        w.set("txtk", pick(rng, numbers));
        w.set("txtb", pick(rng, numbers));
        w.set("Text23", pick(rng, numbers));
        w.press("Command1");
        const std::string what = w.text("txtk") + "x+" + w.text("txtb") + "=" + w.text("Text23");
        const auto lines = checked(w, what);
        if (lines.empty()) continue;
        ASSERT_GE(lines.size(), 2u) << what;
        const std::string& solution = lines[lines.size() - 2];
        if (solution.starts_with("≈")) {
            EXPECT_EQ(solution, "≈" + shownText(w.text("Text19"))) << what;
        } else {
            EXPECT_EQ(valueOf(afterLastEquals(solution)), exactNumber(w.text("Text19"))) << what << ": " << solution;
        }
        EXPECT_TRUE(lines.back().starts_with("检验：")) << what;
    }
}

namespace {

// The solution sentence against the answer boxes, or the verdict against the message.
void expectSystemAnswer(const Driven& w, const std::vector<std::string>& lines, const std::vector<std::string>& answers,
                        const std::string& what) {
    for (const std::string& l : lines) {
        if (!l.starts_with("所以原方程组的解是 ")) continue;
        const auto parts =
            kz::test::splitAt(std::string_view(l).substr(std::string("所以原方程组的解是 ").size()), {"，"});
        ASSERT_EQ(parts.size(), answers.size()) << what << ": " << l;
        for (std::size_t j = 0; j < parts.size(); ++j) {
            const std::string shown = w.text(answers[j]);
            const std::string part(parts[j]);
            if (const auto approx = part.find("≈"); approx != std::string::npos) {
                EXPECT_EQ(part.substr(approx + std::string("≈").size()), shownText(shown)) << what << ": " << l;
            } else {
                EXPECT_EQ(valueOf(afterLastEquals(part)), exactNumber(shown)) << what << ": " << l;
            }
        }
        return;
    }
    const bool none = lines.back().ends_with(std::string(kNoSolutionText));
    const bool many = lines.back().ends_with(std::string(kInfinitelyManyText));
    EXPECT_TRUE(none || many) << what << ": " << lines.back();
    for (const std::string& a : answers) EXPECT_EQ(w.text(a), "") << what;
}

const std::vector<std::string> kCoefficients{"0", "1", "1", "2", "2", "3", "0.5", "1.5", "0.1", "4"};

}  // namespace

TEST(EquationWorkingProperty, EliminationReachesTheWindowsAnswer) {
    std::mt19937 rng(19);
    const char* boxes[] = {"Text1", "Text3", "Text5", "Text2", "Text4", "Text6"};
    for (int i = 0; i < 400; ++i) {
        Driven w("Form32");
        std::string what;
        for (const char* b : boxes) {
            w.set(b, pick(rng, kCoefficients));
            what += w.text(b) + " ";
        }
        w.press("Command4");
        const auto lines = checked(w, what);
        if (!lines.empty()) expectSystemAnswer(w, lines, {"Label4", "Label5"}, what);
    }
}

TEST(EquationWorkingProperty, EliminationInThreeUnknownsReachesTheWindowsAnswer) {
    std::mt19937 rng(23);
    const char* boxes[] = {"Text8",  "Text9",  "Text11", "Text13", "Text7",  "Text10",
                           "Text12", "Text14", "Text15", "Text16", "Text17", "Text18"};
    for (int i = 0; i < 400; ++i) {
        Driven w("Form33");
        std::string what;
        // Every fourth system has equal rows, so both singular verdicts come often.
        std::vector<std::string> row;
        for (int k = 0; k < 12; ++k) {
            std::string v = pick(rng, kCoefficients);
            if (i % 4 == 0 && k >= 8 && k != 11) v = w.text(boxes[k - 8]);
            w.set(boxes[k], v);
            what += w.text(boxes[k]) + " ";
        }
        w.press("Command5");
        const auto lines = checked(w, what);
        if (!lines.empty()) expectSystemAnswer(w, lines, {"Text20", "Text21", "Text22"}, what);
    }
}

// What random boxes cannot type: signs the filters keep out, and the exact forms asked for.
TEST(EquationWorking, NegativeConstantMovesWithItsSignChanged) {
    const auto lines = linearWorking("2", "-3", "11", "7").plainLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "解：2x－3＝11");
    EXPECT_EQ(lines[1], "2x＝11＋3");
    EXPECT_EQ(lines[2], "2x＝14");
    EXPECT_EQ(lines.back(), "检验：左边＝2×7－3＝11＝右边，所以x＝7是方程的解。");
    EXPECT_TRUE(linearWorking("0", "1", "2", "").empty());
    EXPECT_TRUE(linearWorking("2", "", "2", "1").empty());
}

TEST(FractionWorking, SignsAndWholeNumbers) {
    struct Case {
        Working w;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {reductionWorking(-8, -12),
         {"2 | 8 12", "2 | 4 6", "    2 3", "最大公因数：2×2＝4", "－8/(－12)", "＝8/12", "＝(8÷4)/(12÷4)", "＝2/3"}},
        {reductionWorking(7, 7), {"7 | 7 7", "    1 1", "最大公因数：7", "7/7", "＝(7÷7)/(7÷7)", "＝1"}},
        {reductionWorking(5, -1), {"5/(－1)", "＝－5/1", "＝－5"}},
        {reductionWorking(0, -3), {"0/(－3)", "＝0"}},
        {comparisonWorking(4, 6, 2, 3), {"2/3＝4/6，4/6＝4/6，所以4/6＝2/3"}},
        {improperWorking("10", "4", 10, 4, 2, 2), {"10÷4＝2……2，所以10/4＝2又2/4"}},
        {improperWorking("3", "2.5", 3, 2, 1, 1), {"2.5取整为2，3÷2＝1……1，所以3/2＝1又1/2"}},
        {arithmeticWorking(1, 2, 1, 2, FractionOp::Subtract, 0, 1), {"1/2－1/2", "＝0/2", "＝0"}},
        {arithmeticWorking(-1, 2, 1, -3, FractionOp::Multiply, -1, -6),
         {"－1/2×1/(－3)", "＝－1/2×(－1/3)", "＝1/6", "＝－1/(－6)"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.w.plainLines(), c.lines) << c.w.plainText();
        EXPECT_TRUE(unequalJoins(c.w).empty()) << c.w.plainText();
    }
}

TEST(EquationWorking, DisagreeingVerdictGivesNoWorking) {
    const std::string_view texts[] = {"1", "1", "2", "1", "1", "3"};
    EXPECT_TRUE(eliminationWorking(texts, 2, Solvability::InfinitelyMany, {}).empty());
    EXPECT_FALSE(eliminationWorking(texts, 2, Solvability::None, {}).empty());
    const std::string_view junk[] = {"1", "x", "2", "1", "1", "3"};
    EXPECT_TRUE(eliminationWorking(junk, 2, Solvability::None, {}).empty());
}
