// kztool sessions compared whole with recorded output (every tests/data/kztool/
// *.txt: a "$ ARGS" line, the expected output, a blank line).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
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

class RecordedSessions : public ::testing::TestWithParam<std::string> {};

TEST_P(RecordedSessions, PrintWhatWasRecorded) {
    std::ifstream file(std::filesystem::path(KZ_TEST_DATA_DIR "/kztool") / GetParam());
    ASSERT_TRUE(file) << "missing sessions file " << GetParam();
    std::string line, expected;
    std::vector<std::string> args;
    int sessions = 0;
    auto check = [&] {
        if (args.empty()) return;
        std::ostringstream out, err;
        EXPECT_EQ(runToolSession(args, out, err), 0) << err.str();
        EXPECT_EQ(out.str(), expected) << GetParam() << ": " << args[args[0] == "--working" ? 1 : 0];
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
    EXPECT_GE(sessions, 1);
}

std::vector<std::string> sessionFiles() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(KZ_TEST_DATA_DIR "/kztool"))
        if (e.path().extension() == ".txt") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Files, RecordedSessions, ::testing::ValuesIn(sessionFiles()), [](const auto& info) {
    std::string n = info.param.substr(0, info.param.size() - 4);
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
});

TEST(Kztool, MistakesExitWithStatusTwoAndPrintOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"Form99"},
        {"Form12", "Text9=1"},
        {"Form12", "press:Text1"},
        {"Form12", "key:F13"},
        {"Form12", "hello"},
        {"Form12", "select:Command1"},
        {"Form12", "Label1=5"},
    };
    for (const auto& args : bad) {
        std::ostringstream out, err;
        EXPECT_EQ(runToolSession(args, out, err), 2);
        EXPECT_EQ(out.str(), "");
        const std::string e = err.str();
        EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
    }
}

TEST(Kztool, EscapesLineBreaksAndBackslashes) { EXPECT_EQ(escapeForTool("a\nb\r\\c"), "a\\nb\\r\\\\c"); }
