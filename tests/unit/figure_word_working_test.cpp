// The working of the formula and word-problem windows over random inputs:
// every "＝" joins equal values, and the lines that find the answers end in
// exactly the texts the window shows. Where the window rejects or fails,
// there is no working (the sector's angle rule excepted: it is the working).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "framework/windowmodel.h"
#include "tools/geometry/figures.h"
#include "workingcheck.h"

using namespace kz;

namespace {

// What follows the last "＝" (or "≈") of a line, without a unit "（只）".
std::string lastValue(std::string line) {
    if (auto u = line.rfind("（"); u != std::string::npos && line.ends_with("）")) line.resize(u);
    std::size_t at = std::string::npos;
    for (std::string_view sign : {"＝", "≈"})
        if (auto p = line.rfind(sign); p != std::string::npos && (at == std::string::npos || p > at))
            at = p + sign.size();
    return at == std::string::npos ? std::string() : line.substr(at);
}

// Numbers a pupil types: mostly whole, some halves and quarters (exact in
// binary, so no digit is lost to cancellation), some with one or two
// decimals where the window only multiplies and adds, now and then empty.
class Typist {
public:
    explicit Typist(unsigned seed) : rng_(seed) {}
    std::string number(bool decimals = false) {
        const int kind = pick(0, 19);
        if (kind == 0) return "";
        const int whole = pick(0, kind < 3 ? 99999 : 999);
        if (kind < 12) return std::to_string(whole);
        if (kind < 16 || !decimals) return std::to_string(whole) + (kind % 2 ? ".5" : ".25");
        return std::to_string(whole) + "." + std::to_string(pick(1, 99));
    }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

private:
    std::mt19937 rng_;
};

bool isNumber(const std::string& s) { return tryStrictNumber(s).has_value(); }

std::vector<std::string> lines(const WindowModel& m) { return m.working().plainLines(); }

// The line that ends in the last answer: the one before the check, or the last.
std::string answerLine(const std::vector<std::string>& ls) {
    for (std::size_t i = 1; i < ls.size(); ++i)
        if (ls[i].rfind(lead::kCheck, 0) == 0) return ls[i - 1];
    return ls.empty() ? std::string() : ls.back();
}

bool hadMessage(WindowModel& m) {
    for (const WindowEvent& e : m.takeEvents())
        if (e.kind == WindowEvent::Kind::Message) return true;
    return false;
}

constexpr int kTrials = 300;

}  // namespace

TEST(FigureWorking, EveryFigureOverRandomMeasures) {
    struct Window {
        const char* form;
        const FigureWindowDesign& design;
    };
    for (const Window& win : {Window{"Form9", areaDesign()}, Window{"Form10", perimeterDesign()},
                              Window{"Form16", volumeDesign()}, Window{"Form17", surfaceDesign()}}) {
        auto m = openWindowModel(win.form);
        ASSERT_NE(m, nullptr);
        EXPECT_TRUE(m->has(kWorkingToggle));
        Typist typist(9);
        for (int t = 0; t < kTrials; ++t) {
            const Figure& f =
                win.design
                    .figures[static_cast<std::size_t>(typist.pick(0, static_cast<int>(win.design.figures.size()) - 1))];
            m->select(f.option);
            m->press("Command2");
            for (int i = 0; i < f.boxesUsed; ++i)
                m->edit(win.design.boxes[static_cast<std::size_t>(i)], typist.number(true));
            m->press("Command1");
            SCOPED_TRACE(std::string(win.form) + " " + f.caption + " " + m->working().plainText());
            EXPECT_FALSE(hadMessage(*m));
            const std::string result = m->state(win.design.resultBox).text;
            const auto ls = lines(*m);
            if (result == kSectorAngleRejection) {
                EXPECT_EQ(ls, std::vector<std::string>{std::string(kSectorAngleRejection)});
                continue;
            }
            ASSERT_EQ(ls.size(), 3u);
            EXPECT_EQ(ls[2], "＝" + result);
            EXPECT_EQ(ls[0].find('#'), std::string::npos);
            EXPECT_TRUE(test::unequalJoins(m->working(), 1e-13).empty());
        }
    }
}

TEST(WordWorking, EveryWindowOverRandomInputs) {
    struct Answer {
        const char* prefix;
        const char* box;
    };  // prefix "": the line before the check
    struct Window {
        const char* form;
        std::vector<const char*> keys;    // the case keys; none: no choice of case
        std::vector<const char*> inputs;  // the boxes typed into
        std::vector<Answer> answers;
    };
    const Window windows[] = {
        {"Form7", {}, {"Text1", "Text2"}, {{"兔：", "Text3"}, {"", "Text4"}}},
        {"Form19", {}, {"Text1", "Text2"}, {{"小数：", "Text3"}, {"", "Text4"}}},
        {"Form21", {}, {"Text1", "Text2"}, {{"小数：", "Text3"}, {"", "Text4"}}},
        {"Form22", {}, {"Text1", "Text2"}, {{"小数：", "Text3"}, {"", "Text4"}}},
        {"Form23", {"Y", "S", "H"}, {"Text1", "Text2", "Text3"}, {{"", "Text4"}}},
        {"Form39", {"C", "N", "H"}, {"Text1", "Text2", "Text3"}, {{"", "Text5"}}},
        {"Form29", {"C", "H"}, {"Text1", "Text3", "Text2", "Text4"}, {{"", "Text5"}}},
        {"Form30", {"C", "S"}, {"Text1", "Text3"}, {{"", "Text5"}}},
    };
    for (const Window& win : windows) {
        auto m = openWindowModel(win.form);
        ASSERT_NE(m, nullptr);
        EXPECT_TRUE(m->has(kWorkingToggle));
        Typist typist(7);
        int explained = 0;
        for (int t = 0; t < kTrials; ++t) {
            if (!win.keys.empty())
                m->key(win.keys[static_cast<std::size_t>(typist.pick(0, static_cast<int>(win.keys.size()) - 1))]);
            m->press("Command2");
            std::vector<std::string> typed;
            for (std::size_t i = 0; i < win.inputs.size(); ++i) typed.push_back(typist.number());
            if (std::string(win.form) == "Form7" && typist.pick(0, 3) > 0) {
                // Mostly a cage that exists: feet from heads and rabbits.
                const int heads = typist.pick(1, 3000), rabbits = typist.pick(0, heads);
                typed = {std::to_string(heads), std::to_string(2 * heads + 2 * rabbits)};
            }
            for (std::size_t i = 0; i < typed.size(); ++i) m->edit(win.inputs[i], typed[i]);
            m->press("Command1");
            const bool message = hadMessage(*m);
            const auto ls = lines(*m);
            SCOPED_TRACE(std::string(win.form) + " " + m->working().plainText());
            bool answered = !message;
            for (const Answer& a : win.answers) answered = answered && isNumber(m->state(a.box).text);
            if (!answered) {
                EXPECT_TRUE(ls.empty());  // a rejection or failure: the pane shows the window's words
                continue;
            }
            ++explained;
            ASSERT_GE(ls.size(), 3u);
            EXPECT_EQ(ls.back().rfind(lead::kCheck, 0), 0u);
            for (const Answer& a : win.answers) {
                std::string line = answerLine(ls);
                if (*a.prefix)
                    for (const std::string& l : ls)
                        if (l.rfind(a.prefix, 0) == 0) line = l;
                EXPECT_EQ(lastValue(line), m->state(a.box).text) << a.box;
            }
            EXPECT_TRUE(test::unequalJoins(m->working(), 1e-13).empty());
        }
        EXPECT_GT(explained, kTrials / 2) << win.form;  // the inputs mostly make a problem
    }
}

TEST(WordWorking, RoundedAnswersShowTheirTextAndTheCheckSaysSo) {
    // 1 split in the ratio 1 : 2 has no finite decimal: the answers are the
    // window's 15-digit texts, and the check that multiplies them back is
    // only approximately the large number.
    auto m = openWindowModel("Form21");
    m->edit("Text1", "1");
    m->edit("Text2", "2");
    m->press("Command1");
    const auto ls = lines(*m);
    ASSERT_EQ(ls.size(), 5u);
    EXPECT_EQ(ls[2], "小数：1÷3＝0.333333333333333");
    EXPECT_EQ(ls[3], "大数：1－0.333333333333333＝0.666666666666667");
    EXPECT_EQ(ls[4], "验算：0.333333333333333＋0.666666666666667＝1，0.333333333333333×2≈0.666666666666667");
    EXPECT_TRUE(test::unequalJoins(m->working(), 1e-13).empty());
}

TEST(WordWorking, ClearACaseChangeAndAFailureLeaveNoStaleWorking) {
    auto m = openWindowModel("Form29");
    auto passing = [&] {
        for (auto [box, value] : {std::pair{"Text1", "163"}, {"Text3", "29"}, {"Text2", "152"}, {"Text4", "34"}})
            m->edit(box, value);
        m->press("Command1");
        ASSERT_FALSE(m->working().empty());
    };
    passing();
    m->press("Command2");
    EXPECT_TRUE(m->working().empty());
    passing();
    m->key("H");  // the answer it explained is emptied with the boxes
    EXPECT_TRUE(m->working().empty());
    m->key("C");
    passing();
    m->edit("Text4", "");
    m->edit("Text3", "");
    m->press("Command1");  // a zero speed: the answer stays, its working goes with the message
    EXPECT_EQ(m->state("Text5").text, "5");
    EXPECT_TRUE(m->working().empty());
    EXPECT_EQ(m->workingNote(), "发生错误！");

    auto f = openWindowModel("Form9");
    f->edit("Text1", "5");
    f->edit("Text2", "4");
    f->press("Command1");
    ASSERT_FALSE(f->working().empty());
    f->key("Y");
    EXPECT_TRUE(f->working().empty());
}

TEST(WordWorking, WithoutAWorkingThePaneHasTheWindowsReason) {
    struct Case {
        const char* form;
        const char* key;
        std::vector<std::pair<const char*, const char*>> inputs;
        const char* note;
    };
    const Case cases[] = {
        {"Form7", nullptr, {{"Text1", "35"}, {"Text2", "7"}}, "脚的个数必须为偶数！"},
        {"Form7", nullptr, {{"Text1", "35"}, {"Text2", "40000"}}, "发生错误！"},
        {"Form19", nullptr, {{"Text1", "5"}, {"Text2", "8"}}, "和必须大于差！"},
        {"Form23", "S", {{"Text1", "8"}, {"Text2", "25"}, {"Text3", "1"}}, "大盈必须大于小盈！"},
        {"Form23", "H", {{"Text1", "21"}, {"Text2", "21"}, {"Text3", "1"}}, "大亏必须大于小亏！"},
        {"Form22", nullptr, {{"Text1", "72"}, {"Text2", "1"}}, "发生错误！"},
        {"Form39", nullptr, {{"Text1", "23"}, {"Text2", ""}, {"Text3", "3"}}, "发生错误！"},
    };
    for (const Case& c : cases) {
        auto m = openWindowModel(c.form);
        if (c.key) m->key(c.key);
        for (const auto& [box, value] : c.inputs) m->edit(box, value);
        m->press("Command1");
        EXPECT_TRUE(m->working().empty()) << c.form;
        EXPECT_EQ(m->workingNote(), c.note) << c.form;
    }
}
