#include <gtest/gtest.h>

#include <functional>

#include "framework/clsTextBox.h"

using namespace kz;

namespace {

// A box that, like a real one, raises its change event on every assignment.
class FakeBox : public TextBoxAccess {
public:
    FakeBox(std::u32string t, int caret) : text_(std::move(t)), caret_(caret) {}
    std::u32string text() const override { return text_; }
    void setText(const std::u32string& t) override {
        text_ = t;
        ++writes;
        if (onChange) onChange();
    }
    int caret() const override { return caret_; }
    void setCaret(int c) override { caret_ = c; }
    void setColour(TextColour c) override { colour = c; }
    void beep() override { ++beeps; }

    std::u32string text_;
    int caret_;
    TextColour colour = TextColour::Black;
    int beeps = 0;
    int writes = 0;
    std::function<void()> onChange;
};

struct CharCase {
    std::u32string in;
    int caret;
    std::u32string out;
    int outCaret;
};

}  // namespace

TEST(InputFilter, IntegerAll) {
    const CharCase cases[] = {
        {U"12a3", 3, U"123", 2}, {U"-0-5", 4, U"-05", 3}, {U"5-", 2, U"5", 1},    {U"a-5", 3, U"5", 1},
        {U"-", 1, U"-", 1},      {U"abc", 3, U"", 0},     {U"", 0, U"", 0},       {U"１２", 2, U"", 0},
        {U"+5", 2, U"5", 1},     {U"1.5", 3, U"15", 2},   {U"中文7", 3, U"7", 1}, {U"a123", 1, U"123", 0},
        {U"12ab", 2, U"12", 0},  // removals after the caret still move it back
        {U"ab12", 1, U"12", 2},  // a negative working caret goes to the end
    };
    for (const auto& c : cases) {
        FakeBox box(c.in, c.caret);
        clsTextBox f;
        f.Integer_All(box);
        EXPECT_EQ(box.text_, c.out);
        EXPECT_EQ(box.caret_, c.outCaret);
        EXPECT_EQ(box.beeps, 0);
    }
}

TEST(InputFilter, NumericPos) {
    const CharCase cases[] = {
        {U"3.1.4", 5, U"3.14", 4}, {U"-2.5", 4, U"2.5", 3}, {U"１２", 2, U"", 0},
        {U".5", 2, U".5", 2},      {U"5.", 2, U"5.", 2},    {U"a.b.c", 5, U".", 1},
    };
    for (const auto& c : cases) {
        FakeBox box(c.in, c.caret);
        clsTextBox f;
        f.Numeric_Pos(box);
        EXPECT_EQ(box.text_, c.out);
        EXPECT_EQ(box.caret_, c.outCaret);
    }
}

TEST(InputFilter, LimitFlagClampsToSixteenBits) {
    for (auto [in, out] :
         {std::pair{U"40000", U"32767"}, {U"-40000", U"-32767"}, {U"-32768", U"-32767"}, {U"123", U"123"}}) {
        FakeBox box(in, 0);
        clsTextBox f;
        f.Integer_All(box, true);
        EXPECT_EQ(box.text_, std::u32string(out));
    }
}

TEST(InputFilter, BusyFlagStopsTheFilterRunningOnItsOwnOutput) {
    FakeBox box(U"1a2", 3);
    clsTextBox f;
    box.onChange = [&] { f.Integer_All(box); };
    f.Integer_All(box);
    EXPECT_EQ(box.text_, U"12");
    EXPECT_EQ(box.writes, 1);
    f.Integer_All(box);  // the flag is clear again afterwards
    EXPECT_EQ(box.writes, 2);
}

TEST(MaskedDate, TypingPastingAndRejecting) {
    struct Case {
        std::u32string in;
        int caret;
        std::u32string out;
        int outCaret;
        bool complete;
        TextColour colour;
        int beeps;
    };
    const Case cases[] = {
        {U"20080", 5, U"2008-0", 6, false, TextColour::Black, 0},
        {U"20080808", 8, U"2008-08-08", 10, true, TextColour::Black, 0},
        {U"2008-08-08", 10, U"2008-08-08", 10, true, TextColour::Black, 0},
        {U"200808-08", 4, U"2008-08-08", 5, true, TextColour::Black, 0},    // a deleted "-" comes back
        {U"2008/08/08", 10, U"2008/08/08", 10, false, TextColour::Red, 1},  // rejected, kept as typed
        {U"abc", 3, U"abc", 3, false, TextColour::Red, 1},
        {U"", 0, U"", 0, false, TextColour::Black, 0},
        {U"2008-08-081", 11, U"2008-08-08", 10, true, TextColour::Black, 1},  // eleventh character cut
        {U"2008080808", 10, U"2008-08-08", 10, true, TextColour::Black, 1},   // mask used up
        {U"2008-0808-", 10, U"2008-08-08", 10, true, TextColour::Black, 1},
    };
    for (const auto& c : cases) {
        FakeBox box(c.in, c.caret);
        clsTextBox f;
        bool complete = f.MaskedText(box, kDateMask);
        EXPECT_EQ(box.text_, c.out) << std::string(c.in.begin(), c.in.end());
        EXPECT_EQ(box.caret_, c.outCaret);
        EXPECT_EQ(complete, c.complete);
        EXPECT_EQ(box.colour, c.colour);
        EXPECT_EQ(box.beeps, c.beeps);
    }
}

TEST(MaskedDate, RedStaysUntilACharacterIsAccepted) {
    FakeBox box(U"x", 1);
    clsTextBox f;
    f.MaskedText(box, kDateMask);
    EXPECT_EQ(box.colour, TextColour::Red);
    box.text_ = U"";
    f.MaskedText(box, kDateMask);
    EXPECT_EQ(box.colour, TextColour::Red);
    box.text_ = U"2";
    f.MaskedText(box, kDateMask);
    EXPECT_EQ(box.colour, TextColour::Black);
}
