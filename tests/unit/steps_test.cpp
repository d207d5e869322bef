// The bar's working (递等式): kzcalc --working against recorded sessions, and
// over random entries the two promises a pupil relies on: the last line is
// the bar's answer, and each line has the value of the line before it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "calc/calcbar_rules.h"
#include "calc/driver.h"
#include "calc/steps.h"
#include "test_weight.h"

using namespace kz;

namespace {

const std::string kData = KZ_TEST_DATA_DIR "/calc/";
const char* const kNoConstants = "/nonexistent/constants.csd";

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> workingOf(Evaluator& e, std::string_view entry) {
    e.evaluateFirstLine(entry);
    return calcWorking(e).plainLines();
}

// A line of the working as the evaluator reads it: the exercise book's signs
// back to the typed ones.
std::string typedBack(std::string line) {
    static const std::pair<std::string_view, std::string_view> signs[] = {
        {"＝", ""}, {"＋", "+"}, {"－", "-"}, {"×", "*"}, {"÷", "/"}, {"√", " sr "}, {"π", " pi "}};
    for (const auto& [from, to] : signs)
        for (std::size_t at; (at = line.find(from)) != std::string::npos;) line.replace(at, from.size(), to);
    return line;
}

// Random small entries: numbers, the four operations and powers, some
// parentheses, unary minus and implicit products.
class EntryMaker {
public:
    explicit EntryMaker(unsigned seed) : rng_(seed) {}

    std::string entry() { return sum(0); }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    std::string number() {
        static const char* const numbers[] = {"0",  "1",  "2",  "3",   "4",   "5",   "6",    "7",   "8",   "9",  "10",
                                              "12", "25", "36", "100", "0.5", "1.5", "2.25", "0.1", "0.3", "7.2"};
        return numbers[pick(std::size(numbers))];
    }
    std::string factor(int depth) {
        const int k = depth > 3 ? 0 : pick(10);
        if (k <= 4) return number();
        if (k <= 6) return "(" + sum(depth + 1) + ")";
        if (k == 7) return "-" + factor(depth + 1);
        if (k == 8) return number() + "^" + (pick(2) ? number() : "(" + sum(depth + 1) + ")");
        return number() + "(" + sum(depth + 1) + ")";
    }
    std::string sum(int depth) {
        std::string s = factor(depth);
        for (int n = pick(depth > 2 ? 2 : 4); n > 0; --n) s += "+-*/"[pick(4)] + factor(depth);
        return s;
    }

    std::mt19937 rng_;
};

}  // namespace

TEST(CalcWorking, KzcalcPrintsTheWorkingOfEachAnswer) {
    std::istringstream in(slurp(kData + "working.in"));
    std::ostringstream out;
    Evaluator e(ConstantsLocator::exactly(kData + "constants.csd"));
    runCalcDriver(in, out, e, true);
    EXPECT_EQ(out.str(), slurp(kData + "working.out"));
}

TEST(CalcWorking, NoWorkingWhereThereIsNoAnswer) {
    Evaluator e(ConstantsLocator::exactly(kNoConstants));
    e.keepParse(true);
    for (const char* entry : {"1/0", "(1/0)", "2.5!", "5+", "help", "unknown", "x=", "2)", "", "171!"})
        EXPECT_TRUE(workingOf(e, entry).empty()) << entry;
    // One that succeeds, then one that fails: nothing of the first is left.
    EXPECT_FALSE(workingOf(e, "1+1").empty());
    EXPECT_TRUE(workingOf(e, "1+").empty());
    // Not kept: no working, and the next kept one is whole.
    e.keepParse(false);
    EXPECT_TRUE(workingOf(e, "2*3").empty());
    e.keepParse(true);
    EXPECT_EQ(workingOf(e, "2*3"), (std::vector<std::string>{"2×3", "＝6"}));
}

TEST(CalcWorking, TheBarShowsAWorkingOnlyBesideACalculatedAnswer) {
    // Even a credit word that the constants file names is a credit, not a calculation.
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "kz-steps-credits.csd";
    std::ofstream(file, std::ios::binary) << "name,2\n";
    Evaluator e(ConstantsLocator::exactly(file));
    const Credits credits{"N", "C", "A"};
    EXPECT_EQ(calculate(e, "name*3", "", credits).working.plainLines(),
              (std::vector<std::string>{"name×3", "＝2×3", "＝6"}));
    const Calculated credit = calculate(e, "Name", "", credits);
    EXPECT_EQ(credit.answer, "N");
    EXPECT_TRUE(credit.working.empty());
    EXPECT_TRUE(calculate(e, "1/0", "", credits).working.empty());
    std::filesystem::remove(file);
}

TEST(CalcWorking, LongEntriesHaveNoWorkingButTheirAnswer) {
    Evaluator e(ConstantsLocator::exactly(kNoConstants));
    e.keepParse(true);
    std::string flat = "1";
    while (flat.size() < 30000) flat += "+1";
    EXPECT_TRUE(workingOf(e, flat).empty());
    EXPECT_EQ(e.ans(), 15001);
    EXPECT_TRUE(workingOf(e, std::string(30000, '-') + "1").empty());
    EXPECT_TRUE(workingOf(e, std::string(Evaluator::kMaxDepth - 1, '(') + "1").empty());
    // The longest that is kept: each line one product further.
    std::string products = "2";
    for (int i = 0; i < 200; ++i) products += "*1";
    const auto lines = workingOf(e, products);
    EXPECT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines.back(), "＝2");
}

TEST(CalcWorking, KeepingTheReadingChangesNoAnswer) {
    Evaluator plain(ConstantsLocator::exactly(kNoConstants)), keeping(ConstantsLocator::exactly(kNoConstants));
    keeping.keepParse(true);
    EntryMaker make(7);
    for (int i = 0; i < 2000; ++i) {
        const std::string entry = make.entry();
        ASSERT_EQ(keeping.evaluate(entry, "old"), plain.evaluate(entry, "old")) << entry;
    }
}

TEST(CalcWorking, EachLineHasTheValueOfTheOneBeforeAndTheLastIsTheAnswer) {
    Evaluator bar(ConstantsLocator::exactly(kNoConstants)), reader(ConstantsLocator::exactly(kNoConstants));
    bar.keepParse(true);
    EntryMaker make(2010);
    int worked = 0;
    const int entries = test::kLight ? 3000 : 30000;
    for (int i = 0; i < entries; ++i) {
        const std::string entry = make.entry();
        const std::string answer(bar.evaluateFirstLine(entry));
        const std::vector<std::string> lines = calcWorking(bar).plainLines();
        if (answer.find("发生错误") != std::string::npos) {
            ASSERT_TRUE(lines.empty()) << entry;
            continue;
        }
        ++worked;
        ASSERT_FALSE(lines.empty()) << entry;
        ASSERT_EQ(lines.back(), lines.size() == 1 ? answer : "＝" + answer) << entry;
        for (std::size_t k = 0; k + 1 < lines.size(); ++k) {
            ASSERT_EQ(lines[k + 1].rfind("＝", 0), 0u) << entry;
            // Only the answer may be in exponent form, which reads back as a product with e.
            ASSERT_EQ(lines[k].find('E'), std::string::npos) << entry << " line " << k;
            ASSERT_EQ(reader.evaluateFirstLine(typedBack(lines[k])), answer)
                << entry << " line " << k << ": " << lines[k];
        }
        if (answer.find('E') == std::string::npos) {
            ASSERT_EQ(reader.evaluateFirstLine(typedBack(lines.back())), answer) << entry;
        }
    }
    EXPECT_GT(worked, entries / 2);  // the entries are mostly ones that have an answer
}
