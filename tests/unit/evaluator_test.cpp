#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <istream>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "calc/driver.h"
#include "calc/evaluator.h"

using namespace kz;
namespace fs = std::filesystem;

namespace {

const std::string kOverflow(kOverflowText);
const std::string kDivZero(kDivisionByZeroText);
const std::string kError(kGeneralErrorText);

// The first line of the answer box after evaluating `entry`.
std::string shown(Evaluator& e, std::string_view entry) {
    std::string box = e.evaluate(entry, "");
    return box.substr(0, box.find("\r\n"));
}

fs::path writeFile(const fs::path& dir, const std::string& text) {
    fs::path p = dir / "constants.csd";
    std::ofstream(p, std::ios::binary) << text;
    return p;
}

// A fresh, empty folder that is removed afterwards.
struct TempDir {
    fs::path path;
    TempDir() {
        // A name that exists already is not taken: create_directory says false.
        std::random_device random;
        do path = fs::temp_directory_path() / ("kzcalc-" + std::to_string(random()));
        while (!fs::create_directory(path));
    }
    ~TempDir() { fs::remove_all(path); }
};

// Runs in another working directory for the scope.
struct InDir {
    fs::path saved = fs::current_path();
    explicit InDir(const fs::path& p) { fs::current_path(p); }
    ~InDir() { fs::current_path(saved); }
};

struct Case {
    const char* entry;
    std::string shown;
};

void expectAll(Evaluator& e, std::initializer_list<Case> cases) {
    for (const auto& c : cases) EXPECT_EQ(shown(e, c.entry), c.shown) << c.entry;
}

}  // namespace

TEST(Evaluator, PrecedenceAndPostfixRules) {
    Evaluator e(ConstantsLocator::exactly("/nonexistent/constants.csd"));
    expectAll(e, {
                     {"((1+8)/3)*2-5", "1"},
                     {"(5^2)*(7!)", "126000"},
                     {"pi*(51^2)", "8171.28249198704"},
                     {"25^(1/2)", "5"},
                     {"abs(sr(1))", "1"},
                     {"10-4-3", "3"},
                     {"2*3/4", "1.5"},
                     {"2^3^2", "512"},
                     {"2^-1", "0.5"},
                     {"-2^2", "-4"},
                     {"-3!", "-6"},
                     {"--2", "2"},
                     {"2--2", "4"},
                     {"3!+2", "8"},
                     {"3!2", "12"},
                     {"3!^2", "36"},
                     {"sr(9)^2", "9"},
                     {"sr 4 9", "6"},
                     {"abs -3 2", "6"},
                     {"6/2(3)", "1"},
                     {"2(3+4)", "14"},
                     {"2 3", "6"},
                     {"2pi", "6.28318530717958"},
                     {"1e5", "13.5914091422952"},
                     {"(2+3", "5"},
                     {"((2", "2"},
                     {"1.2.3", "0.36"},
                     {"0!", "1"},
                     {"170!", "7.257415615308E+306"},
                     {"0^0", "1"},
                     {"  12.5 + 2 ", "14.5"},
                     {"E", "2.71828182845905"},
                     {"1/3", "0.333333333333333"},
                     {"-0", "0"},
                     {"0.0001", "0.0001"},
                     {"10^15", "1E+15"},
                 });
}

TEST(Evaluator, EachErrorText) {
    Evaluator e(ConstantsLocator::exactly("/nonexistent/constants.csd"));
    expectAll(e, {
                     {"171!", kOverflow},   {"32768!", kOverflow}, {"10000000000!", kOverflow},
                     {"10^400", kOverflow}, {"9^999", kOverflow},  {"1/0", kDivZero},
                     {"0/0", kDivZero},     {"0^-1", kDivZero},    {"(1/0)", kError},
                     {"5/(1/0)", kDivZero}, {"2.5!", kError},      {"(-3)!", kError},
                     {"3!!", kError},       {"sr(-1)", kError},    {"(-8)^(1/3)", kError},
                     {"", kError},          {"5+", kError},        {"2)", kError},
                     {"2=3", kError},       {"=", kError},         {"*3", kError},
                     {"help", kError},      {"help+1", kError},    {"(help", kError},
                     {"1#2", kError},       {"1，2", kError},      {".", kError},
                     {"1..5", kError},      {"unknown", kError},   {"ans=3", kError},
                     {"pi=3", kError},      {"1\t+1", kError},
                 });
}

// A level that failed gives 0 back, and its caller goes on with it: the
// error that follows (dividing by that 0, an overflow of the value an
// assignment still returns) is the one shown.
TEST(Evaluator, WhatFollowsAFailureDecidesTheText) {
    Evaluator e(ConstantsLocator::exactly("/nonexistent/constants.csd"));
    expectAll(e, {
                     {"5/-1..5", kDivZero},             // a bad number after a sign
                     {"5/2^1..5", kDivZero},            // a bad number in a power
                     {"5/2 1..5", kDivZero},            // in an implicit product
                     {"5/sr 9^999", kDivZero},          // an overflow under a prefix
                     {"5/x=1..5", kDivZero},            // in an assignment
                     {"9^323+x=9^323+3/0", kOverflow},  // the assignment still returns 9^323
                     {"9^323+x=9^323+(3/0)", kOverflow},
                     {"(9^323+9^323)", kError},  // then the parenthesis test
                     {"(2)(1..5)", kError},
                     {"2^(1/0)", kError},
                     {"x", kError},  // none of the assignments stored anything
                 });
}

TEST(Evaluator, ErrorKeepsThePreviousBoxTextAndTheAnswer) {
    Evaluator e(ConstantsLocator::exactly("/nonexistent/constants.csd"));
    EXPECT_EQ(e.evaluate("1/3", "old"), "0.333333333333333");
    EXPECT_EQ(e.evaluate("1/0", "0.333333333333333"), kDivZero + "\r\n0.333333333333333");
    EXPECT_EQ(e.evaluate("(", kDivZero + "\r\n0.333333333333333"),
              kError + "\r\n" + kDivZero + "\r\n0.333333333333333");
    EXPECT_EQ(shown(e, "ans*3"), "0.999999999999999");  // ans holds the displayed value
    EXPECT_EQ(e.ans(), 0.999999999999999);
}

TEST(Evaluator, VariablesNeedNoConstantsFile) {
    TempDir empty;
    InDir here(empty.path);
    Evaluator e;
    expectAll(e, {
                     {"x=5", "5"},
                     {"x+1", "6"},
                     {"x=2+3", "5"},
                     {"x*2", "10"},
                     {"X", "5"},
                     {"y=y+1", kError},
                     {"y", kError},  // a failed assignment stores nothing
                     {"a=b=4", "4"},
                     {"a*b", "16"},
                     {"1+z=2", "3"},
                     {"z", "2"},
                     {"x=(1/0)", kError},
                     {"x", "5"},
                 });
    ASSERT_EQ(e.variables().size(), 4u);
    EXPECT_EQ(e.variables()[0].first, "x");
    e.clearVariables();
    EXPECT_EQ(shown(e, "x"), kError);
}

TEST(Evaluator, ConstantsFileFields) {
    TempDir dir;
    fs::path file = writeFile(dir.path,
                              "g, 9.8\r\n"
                              "\"c\",\"2.99792458E8\"\n"
                              "\n"
                              "Planck,6.6e-34\n"
                              "\"with, comma\",1\n"
                              "g,1\r"
                              "trail  ,  7 m/s\n"
                              "big,1e999\n"
                              "x,3\n"
                              "lonely");
    Evaluator e(ConstantsLocator::exactly(file));
    expectAll(e, {
                     {"g*2", "19.6"},     // spaces before a field are skipped
                     {"c", "299792458"},  // quoted fields
                     {"g", "9.8"},        // first match wins
                     {"trail", "7"},      // the value by the leading-number conversion
                     {"planck", kError},  // only lower-case names can match
                     {"lonely", kError},  // the broken pair at the end is ignored
                     {"big", kOverflow},
                     {"g=3", kError},  // constants are not assigned
                     {"x", "3"},
                     {"x=10", kError},
                     {"x", "3"},
                 });
    EXPECT_EQ(shown(e, std::string(400, '9')), kOverflow);
}

TEST(Evaluator, VariableHidesConstant) {
    TempDir dir;
    writeFile(dir.path, "k,5\n");
    InDir here(dir.path);
    Evaluator e;  // found in the working directory
    EXPECT_EQ(shown(e, "k"), "5");
    EXPECT_EQ(shown(e, "k=1"), kError);
    fs::remove(dir.path / "constants.csd");
    EXPECT_EQ(shown(e, "k=1"), "1");  // file gone: a plain variable now
    writeFile(dir.path, "k,5\n");
    EXPECT_EQ(shown(e, "k"), "1");
    EXPECT_EQ(shown(e, "k=k+1"), "2");
}

TEST(Evaluator, ConstantsFileIsLookedForInTheWorkingDirectoryThenBesideTheProgram) {
    TempDir work, program;
    writeFile(program.path, "where,2\n");
    InDir here(work.path);
    Evaluator e(ConstantsLocator::searching(program.path));
    EXPECT_EQ(shown(e, "where"), "2");
    writeFile(work.path, "where,1\n");
    EXPECT_EQ(shown(e, "where"), "1");  // the file is read afresh for each evaluation
}

TEST(Evaluator, RandomNumbersAreIndependent) {
    Evaluator e;
    for (int i = 0; i < 20; ++i) {
        EXPECT_NE(shown(e, "rnd-rnd"), "0");
        double r = std::stod(shown(e, "rnd"));
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 1);
    }
}

TEST(Evaluator, DeepOrLongInputEndsWithAnErrorText) {
    Evaluator e(ConstantsLocator::exactly("/nonexistent/constants.csd"));
    const std::string deep = std::string(Evaluator::kMaxDepth - 1, '(') + "1";
    EXPECT_EQ(shown(e, deep), "1");
    EXPECT_EQ(shown(e, "(" + deep), kError);
    EXPECT_EQ(shown(e, std::string(30000, '-') + "1"), "1");
    EXPECT_EQ(shown(e, std::string(20000, '-') + "sr" + std::string(9999, '-') + "4"), kError);
    std::string sr;
    for (int i = 0; i < 10000; ++i) sr += "sr ";  // "srsr" would be one name
    EXPECT_EQ(shown(e, sr + "1"), "1");
    std::string implicitChain = "1";
    for (int i = 0; i < 15000; ++i) implicitChain += " 1";
    EXPECT_EQ(shown(e, implicitChain), kError);
    std::string powers;
    for (int i = 0; i < 10000; ++i) powers += "1^";
    EXPECT_EQ(shown(e, powers + "1"), kError);
    for (const char* unit : {"(", "-", "sr", "sr("}) {
        std::string s;
        for (int i = 0; i < 100000; ++i) s += unit;
        EXPECT_NE(shown(e, s).find("发生错误"), std::string::npos) << unit;
    }
    std::string flat = "1";
    while (flat.size() < 30000) flat += "+1";
    EXPECT_EQ(shown(e, flat), "15001");
}

TEST(Evaluator, DriverPrintsTheFirstLineOfEachAnswer) {
    const std::string data = KZ_TEST_DATA_DIR "/calc/";
    auto slurp = [](const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    for (const char* name : {"session", "constants"}) {
        std::istringstream in(slurp(data + "driver_" + name + ".in"));
        std::ostringstream out;
        Evaluator e(ConstantsLocator::exactly(std::string(name) == "constants" ? data + "constants.csd"
                                                                               : "/nonexistent/constants.csd"));
        runCalcDriver(in, out, e);
        EXPECT_EQ(out.str(), slurp(data + "driver_" + name + ".out")) << name;
    }
    std::istringstream crlf("1+1\r\n2*2");
    std::ostringstream out;
    Evaluator e;
    runCalcDriver(crlf, out, e);
    EXPECT_EQ(out.str(), "2\n4\n");
}

namespace {

// Input that arrives one line at a time, as from a user at a terminal, and
// notes what had been answered each time the driver asked for more.
class LineAtATime : public std::streambuf {
public:
    LineAtATime(std::vector<std::string> lines, const std::ostringstream& out) : lines_(std::move(lines)), out_(out) {}
    std::vector<std::string> answeredWhenAsked;

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        answeredWhenAsked.push_back(out_.str());
        if (next_ == lines_.size()) return traits_type::eof();
        current_ = lines_[next_++];
        setg(current_.data(), current_.data(), current_.data() + current_.size());
        return traits_type::to_int_type(*gptr());
    }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::string current_;
    const std::ostringstream& out_;
};

}  // namespace

TEST(Evaluator, DriverAnswersEachLineBeforeWaitingForTheNext) {
    std::ostringstream out;
    LineAtATime typed({"1/3\n", "ans*3\n", "x=2\nx+1"}, out);
    std::istream in(&typed);
    Evaluator e(ConstantsLocator::exactly("/nonexistent/constants.csd"));
    runCalcDriver(in, out, e);
    const std::vector<std::string> expected = {"", "0.333333333333333\n", "0.333333333333333\n0.999999999999999\n",
                                               "0.333333333333333\n0.999999999999999\n2\n"};
    EXPECT_EQ(typed.answeredWhenAsked, expected);
    EXPECT_EQ(out.str(), "0.333333333333333\n0.999999999999999\n2\n3\n");
}

TEST(Evaluator, DriverReadsLongInputInPieces) {
    std::string input, expected;
    for (int i = 0; i < 30000; ++i) {  // lines across the driver's read boundaries
        input += std::to_string(i) + "+1" + (i % 7 == 0 ? "\r\n" : i % 11 == 0 ? "\n\n" : "\n");
        expected += std::to_string(i + 1) + "\n" + (i % 7 != 0 && i % 11 == 0 ? kError + "\n" : "");
    }
    input += std::string(70000, ' ') + "2*3";  // a last line longer than a piece, without a line end
    expected += kOverflow + "\n";              // (its position passes 32767)
    std::istringstream in(input);
    std::ostringstream out;
    Evaluator e(ConstantsLocator::exactly("/nonexistent/constants.csd"));
    runCalcDriver(in, out, e);
    EXPECT_EQ(out.str(), expected);
}
