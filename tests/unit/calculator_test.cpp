#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "tools/number/calculator.h"

using namespace kz;

namespace {

// Drives the window: single characters and the named keys go through the
// keyboard, "±" and "Copy" through their buttons, "#k" repeats digit k.
struct Session {
    std::unique_ptr<WindowModel> w = makeCalculatorWindow();
    std::vector<WindowEvent> events;
    Session() { w->load(); }
    Session& keys(std::string_view seq) {
        std::istringstream in{std::string(seq)};
        for (std::string t; in >> t;) {
            if (t == "±") w->press("cmdOpposite");
            else if (t == "Copy") w->press("Command1");
            else w->key(t);
            for (auto& e : w->takeEvents()) events.push_back(e);
        }
        return *this;
    }
    std::string display() const { return w->state("Text1").text; }
    std::vector<std::string> messages() const {
        std::vector<std::string> m;
        for (const auto& e : events)
            if (e.kind == WindowEvent::Kind::Message) {
                EXPECT_EQ(e.message.title, "错误");
                EXPECT_EQ(e.message.icon, MessageIcon::Error);
                m.push_back(e.message.text);
            }
        return m;
    }
};

std::string repeat(std::string_view key, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s.append(key).append(" ");
    return s;
}

}  // namespace

TEST(PocketCalculator, KeySequences) {
    struct Case {
        const char* keys;
        const char* display;
    };
    const Case cases[] = {
        {"", "0"},
        {"0 0 5", "5"},
        {". 5", "0.5"},
        {".", "0."},
        {"1 . 2 . 3", "1.23"},
        {"1 / 3 =", "0.333333333333333"},
        {"2 / 3 =", "0.666666666666667"},
        {"7 / 2 =", "3.5"},
        {"2 + 3 =", "5."},
        {"2 + 3 * 4 =", "12."},  // an operator replaces the pending one
        {"2 + 3 = * 4 =", "20."},
        {"5 + =", "10."},
        {"5 + = =", "10."},  // a second equals repeats nothing
        {"5 + 3 = 7", "7"},  // a result is replaced by the next digit
        {"5 + 3 = .", "0."},
        {"2 + - * 6 =", "12."},  // two operators in a row keep the last
        {"5 - 8 =", "-3."},
        {"0 . 1 + 0 . 2 =", "0.3"},
        {"9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 * 1 =", "10000000000000000."},
        {"1 KP+ 2 Enter", "3."},
        {"6 KP/ 4 Enter", "1.5"},
        {"6 KP* 4 KP- 4 =", "0."},
        {"1 2 3 Esc", "0"},
        {"1 2 3 Esc 4", "4"},
        {"a x ( 5", "5"},  // other keys do nothing
        {"5 + 3 = ±", "-8"},
        {"5 ±", "-5"},
        {"5 ± ±", "5"},
        {"0 ±", "0"},
        {"1 2 ± 3", "-123"},   // sign change keeps the entry going
        {"5 + 3 = ± 1", "1"},  // a new entry was due
        {"1 / 0 . 5 =", "2."},
    };
    for (const auto& c : cases) {
        Session r;
        r.keys(c.keys);
        EXPECT_EQ(r.display(), c.display) << c.keys;
        EXPECT_TRUE(r.messages().empty()) << c.keys;
    }
}

TEST(PocketCalculator, ButtonsActAsTheirKeys) {
    const std::pair<const char*, const char*> pairs[] = {
        {"cmdAdd", "+"},   {"cmdMinus", "-"}, {"cmdMul", "*"},   {"cmdDivide", "/"},
        {"cmdPoint", "."}, {"cmdEqual", "="}, {"cmdCls", "Esc"},
    };
    std::mt19937 rng(5);
    for (int round = 0; round < 200; ++round) {
        Session byKey, byButton;
        for (int i = 0; i < 12; ++i) {
            if (rng() % 2) {
                const int d = static_cast<int>(rng() % 10);
                byKey.keys(std::to_string(d));
                byButton.w->press("cmdNum(" + std::to_string(d) + ")");
            } else {
                const auto& [button, key] = pairs[rng() % std::size(pairs)];
                byKey.keys(key);
                byButton.w->press(button);
            }
            ASSERT_EQ(byKey.display(), byButton.display());
        }
    }
}

TEST(PocketCalculator, FailuresShowOneMessageAndClear) {
    const std::string huge = repeat("9", 320);
    const std::string e308 = "1 " + repeat("0", 308);  // 1E308 typed out
    struct Case {
        std::string keys;
        const char* message;
    };
    const Case cases[] = {
        {"9 / 0 =", "除数不能为零！"},
        {"0 / 0 =", "除数不能为零！"},
        {"9 / 0 . 0 =", "除数不能为零！"},
        {huge + "+", "发生错误！"},  // the display no longer fits a double
        {"2 + " + huge + "=", "发生错误！"},
        {huge + "±", "发生错误！"},
        {e308 + "* 1 0 =", "发生错误！"},  // the product overflows
        {e308 + "+ " + e308 + "=", "发生错误！"},
        {e308 + "/ 0 . 0 0 0 1 =", "发生错误！"},
        {e308 + "± - " + e308 + "=", "发生错误！"},
    };
    for (const auto& c : cases) {
        Session r;
        r.keys(c.keys);
        ASSERT_EQ(r.messages(), std::vector<std::string>{c.message}) << c.keys;
        EXPECT_EQ(r.display(), "0") << c.keys;
        // Nothing stays pending: the next equals changes nothing, a digit starts afresh.
        r.keys("= 4");
        EXPECT_EQ(r.display(), "4") << c.keys;
        EXPECT_EQ(r.messages().size(), 1u) << c.keys;
    }
}

TEST(PocketCalculator, LargeResultsAreWrittenOutInFull) {
    Session r;
    r.keys("1 " + repeat("0", 307) + "* 9 =");  // 9E307, still finite
    const std::string d = r.display();
    EXPECT_EQ(d.size(), 309u);
    EXPECT_EQ(d.substr(0, 2), "90");
    EXPECT_EQ(d.back(), '.');
    EXPECT_TRUE(r.messages().empty());
}

TEST(PocketCalculator, RandomSequencesNeverShowAnythingButANumber) {
    const char* keys[] = {"0", "1", "5", "9", ".", "+", "-", "*", "/", "=", "Enter", "Esc", "±"};
    std::mt19937 rng(20101);
    for (int round = 0; round < 300; ++round) {
        Session r;
        for (int i = 0; i < 60; ++i) {
            // Long runs of nines push values towards the edge of the range.
            const char* k = rng() % 4 == 0 ? "9" : keys[rng() % std::size(keys)];
            r.keys(std::string(k) + (rng() % 8 == 0 ? std::string(" ") + repeat("9", 200) : std::string()));
            const std::string d = r.display();
            // Typed digits may run past the double range; the display still only holds a number.
            ASSERT_EQ(d.find_first_not_of("0123456789.-E+"), std::string::npos) << d;
            ASSERT_FALSE(d.empty());
        }
    }
}

TEST(PocketCalculator, StateTable) {
    PocketCalculator c;
    EXPECT_TRUE(c.newEntry());
    c.digit(3);
    EXPECT_FALSE(c.newEntry());
    c.operate('*');
    EXPECT_TRUE(c.newEntry());
    EXPECT_EQ(c.pending(), '*');
    c.point();
    EXPECT_FALSE(c.newEntry());
    EXPECT_EQ(c.display(), "0.");
    c.digit(5);
    c.equals();
    EXPECT_EQ(c.display(), "1.5");
    EXPECT_EQ(c.pending(), 0);
    EXPECT_TRUE(c.newEntry());
    c.negate();
    EXPECT_TRUE(c.newEntry());  // sign change leaves the flag alone
    EXPECT_EQ(c.display(), "-1.5");
    c.operate('-');
    c.clear();
    EXPECT_EQ(c.pending(), 0);
    EXPECT_EQ(c.display(), "0");
}

TEST(PocketCalculator, CopyPutsTheDisplayAsItStands) {
    Session r;
    r.keys("2 + 3 = Copy");
    ASSERT_EQ(r.events.size(), 1u);
    EXPECT_EQ(r.events[0].kind, WindowEvent::Kind::Clipboard);
    EXPECT_EQ(r.events[0].text, "5.");
    Session fresh;
    fresh.keys("Copy");
    ASSERT_EQ(fresh.events.size(), 1u);
    EXPECT_EQ(fresh.events[0].text, "0");
}

TEST(PocketCalculator, GridHasNoOverlapsAndFitsTheWindow) {
    auto w = makeCalculatorWindow();
    const auto& d = w->decl();
    EXPECT_EQ(w->defaultButton(), "cmdEqual");
    std::vector<Twips> placed;
    for (const auto& c : d.controls) {
        if (c.addition) continue;  // the working toggle: the view places it beside the grid
        ASSERT_FALSE(c.at.empty()) << c.name;
        EXPECT_LE(c.at.left + c.at.width, d.client.width) << c.name;
        EXPECT_LE(c.at.top + c.at.height, d.client.height) << c.name;
        for (const Twips& o : placed) {
            const bool apart = c.at.left >= o.left + o.width || o.left >= c.at.left + c.at.width ||
                               c.at.top >= o.top + o.height || o.top >= c.at.top + c.at.height;
            EXPECT_TRUE(apart) << c.name;
        }
        placed.push_back(c.at);
    }
    // "＋" spans the rows of 1-2-3 and 0-.-＝.
    EXPECT_EQ(w->declOf("cmdAdd").at, (Twips{2280, 3000, 615, 1095}));
    EXPECT_EQ(w->declOf("cmdEqual").at.top + 495, 4095);
}

TEST(PocketCalculator, KeysBringTheFocusBackToEquals) {
    Session r;
    EXPECT_EQ(r.w->takeFocusRequest(), "cmdEqual");
    r.w->press("cmdNum(4)");  // a clicked button gives the focus back
    EXPECT_EQ(r.w->takeFocusRequest(), "cmdEqual");
    r.keys("x");  // so does even a key that does nothing
    EXPECT_EQ(r.w->takeFocusRequest(), "cmdEqual");
    r.keys("+ 2 Enter");
    EXPECT_EQ(r.display(), "6.");
}
