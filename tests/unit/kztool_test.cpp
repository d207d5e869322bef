// kztool sessions compared whole with recorded output (tests/data/kztool/
// sessions.txt: a "$ ARGS" line, the expected output, a blank line).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/toolsession.h"

using namespace kz;

namespace {

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> args;
    std::istringstream in(line);
    for (std::string a; in >> a;) args.push_back(a);
    return args;
}

}  // namespace

TEST(Kztool, RecordedSessions) {
    std::ifstream file(KZ_TEST_DATA_DIR "/kztool/sessions.txt");
    ASSERT_TRUE(file) << "missing sessions file";
    std::string line, expected;
    std::vector<std::string> args;
    int sessions = 0;
    auto check = [&] {
        if (args.empty()) return;
        std::ostringstream out, err;
        EXPECT_EQ(runToolSession(args, out, err), 0) << err.str();
        EXPECT_EQ(out.str(), expected) << args[0];
        ++sessions;
        args.clear();
        expected.clear();
    };
    while (std::getline(file, line)) {
        if (line.rfind("$ ", 0) == 0) args = split(line.substr(2));
        else if (line.empty()) check();
        else expected += line + "\n";
    }
    check();
    EXPECT_GE(sessions, 4);
}

TEST(Kztool, MistakesExitWithStatusTwoAndPrintOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {},  {"Form99"}, {"Form12", "Text9=1"}, {"Form12", "press:Text1"}, {"Form12", "key:F13"},
        {"Form12", "hello"}, {"Form12", "select:Command1"}, {"Form12", "Label1=5"},
    };
    for (const auto& args : bad) {
        std::ostringstream out, err;
        EXPECT_EQ(runToolSession(args, out, err), 2);
        EXPECT_EQ(out.str(), "");
        const std::string e = err.str();
        EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
    }
}

TEST(Kztool, EscapesLineBreaksAndBackslashes) {
    EXPECT_EQ(escapeForTool("a\nb\r\\c"), "a\\nb\\r\\\\c");
}
