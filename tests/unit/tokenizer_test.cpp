#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/tokenizer.h"
#include "framework/numconv.h"

using namespace kz;

namespace {

// Tokens of a text as "kind" or "Number:value", up to and including EOS or
// the first empty token.
std::vector<std::string> tokensOf(std::string_view text) {
    Scanner s(text);
    std::vector<std::string> out;
    for (int guard = 0; guard < 100; ++guard) {
        s.readToken();
        std::string t = s.token();
        if (s.kind() == TokenKind::Number) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.15g", s.tokenValue());
            t += std::string(":") + buf;
        }
        out.push_back(t);
        if (s.kind() == TokenKind::End || s.kind() == TokenKind::Unknown) break;
    }
    return out;
}

using Tokens = std::vector<std::string>;

}  // namespace

TEST(Tokenizer, CutsTextIntoTokens) {
    struct Case {
        const char* text;
        Tokens tokens;
    };
    const Case cases[] = {
        {"", {"EOS"}},
        {"  12.5+x", {"Number:12.5", "+", "x", "EOS"}},
        {"-+*/^()!=", {"-", "+", "*", "/", "^", "(", ")", "!", "=", "EOS"}},
        {"PI", {"Number:3.14159265358979", "EOS"}},
        {"Pi2", {"Number:3.14159265358979", "Number:2", "EOS"}},
        {"E", {"Number:2.71828182845905", "EOS"}},
        {"pie", {"pie", "EOS"}},
        {"SR9", {"sr", "Number:9", "EOS"}},
        {"2pi", {"Number:2", "Number:3.14159265358979", "EOS"}},
        {"1e5", {"Number:1", "Number:2.71828182845905", "Number:5", "EOS"}},
        {".5", {"Number:0.5", "EOS"}},
        {"5.", {"Number:5", "EOS"}},
        {"1.2.3", {"Number:1.2", "Number:0.3", "EOS"}},
        {"3!", {"Number:3", "!", "EOS"}},
        {"007", {"Number:7", "EOS"}},
        {"1,2", {"Number:1", ""}},
        {"\t1", {""}},
        {"１", {""}},  // full-width digit
        {"数", {""}},
        {"\xFF", {""}},  // not UTF-8 at all
        {"abc_d", {"abc", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(tokensOf(c.text), c.tokens) << c.text;
}

TEST(Tokenizer, KeepsTheTextAsTypedAndTheNameInLowerCase) {
    Scanner s("  AbS pI");
    s.readToken();
    EXPECT_EQ(s.kind(), TokenKind::Name);
    EXPECT_EQ(s.tokenText(), "AbS");
    EXPECT_EQ(s.name(), "abs");
    EXPECT_EQ(s.position(), 6);
    s.readToken();
    EXPECT_EQ(s.tokenText(), "pI");
    EXPECT_EQ(s.tokenValue(), kScannerPi);
}

TEST(Tokenizer, UnknownCharacterLeavesThePositionOnIt) {
    Scanner s("1，2");
    s.readToken();
    s.readToken();
    EXPECT_EQ(s.kind(), TokenKind::Unknown);
    EXPECT_EQ(s.position(), 2);
    EXPECT_EQ(s.currentCharacter(), "，");
    s.readToken();  // again the same empty token
    EXPECT_EQ(s.kind(), TokenKind::Unknown);
    EXPECT_EQ(s.position(), 2);
}

// The statistics window's way of reading a list: it checks the separator
// and steps over it itself, counting positions in characters.
TEST(Tokenizer, PositionsCountCharactersNotBytes) {
    Scanner s("数1，2,3");
    EXPECT_EQ(s.length(), 6);
    EXPECT_EQ(s.characterAt(1), "数");
    EXPECT_EQ(s.characterAt(3), "，");
    EXPECT_EQ(s.characterAt(0), "");
    EXPECT_EQ(s.characterAt(7), "");
    s.setPosition(2);
    s.readToken();
    EXPECT_EQ(s.tokenValue(), 1);
    EXPECT_EQ(s.position(), 3);
    s.advance();
    s.readToken();
    EXPECT_EQ(s.tokenValue(), 2);
    EXPECT_EQ(s.characterAt(s.position()), ",");
}

TEST(Tokenizer, BadNumberTextIsATypeMismatchThatLeavesANumberOfZero) {
    for (const char* text : {".", "1..5", ". 5"}) {
        Scanner s(text);
        try {
            s.readToken();
            ADD_FAILURE() << text;
        } catch (const NumFailure& f) {
            EXPECT_EQ(f.kind(), FailureKind::TypeMismatch) << text;
        }
        EXPECT_EQ(s.kind(), TokenKind::Number) << text;
        EXPECT_EQ(s.tokenValue(), 0) << text;
    }
    Scanner huge(std::string(400, '9'));
    try {
        huge.readToken();
        ADD_FAILURE();
    } catch (const NumFailure& f) {
        EXPECT_EQ(f.kind(), FailureKind::Overflow);
    }
}

TEST(Tokenizer, PositionIsSixteenBit) {
    // Reading up to position 32767 is fine; stepping past it overflows.
    std::string text(32765, ' ');
    text += "7";
    Scanner ok(text);
    ok.readToken();
    EXPECT_EQ(ok.tokenValue(), 7);
    ok.readToken();
    EXPECT_EQ(ok.kind(), TokenKind::End);

    text.insert(0, " ");
    Scanner over(text);
    try {
        over.readToken();
        ADD_FAILURE();
    } catch (const NumFailure& f) {
        EXPECT_EQ(f.kind(), FailureKind::Overflow);
    }
}

// Operators and short numbers are read by quicker paths than other tokens;
// they must leave the same state behind.
TEST(Tokenizer, QuickPathsLeaveTheSameState) {
    struct Case {
        const char* text;
        Tokens tokens;
    };
    const Case cases[] = {
        {"ABS+x", {"abs", "+", "x", "EOS"}},  // no lower-case name left over from ABS
        {"Sr(e)", {"sr", "(", "Number:2.71828182845905", ")", "EOS"}},
        {"数+1", {""}},
        {"2 +( 3)", {"Number:2", "+", "(", "Number:3", ")", "EOS"}},
    };
    for (const auto& c : cases) EXPECT_EQ(tokensOf(c.text), c.tokens) << c.text;

    Scanner s("7*数");
    s.readToken();
    s.readToken();
    EXPECT_EQ(s.kind(), TokenKind::Star);
    EXPECT_EQ(s.currentCharacter(), "*");
    EXPECT_EQ(s.tokenText(), "");
    EXPECT_EQ(s.tokenValue(), 0);
    EXPECT_EQ(s.position(), 3);
    Scanner wide("数+1");
    wide.setPosition(2);
    wide.readToken();
    EXPECT_EQ(wide.kind(), TokenKind::Plus);
    EXPECT_EQ(wide.position(), 3);
    EXPECT_EQ(wide.currentCharacter(), "+");
    wide.readToken();
    EXPECT_EQ(wide.tokenValue(), 1);
}

TEST(Tokenizer, NumberValuesAreCorrectlyRounded) {
    for (const char* text : {"0", "7", "999999999999999", "9999999999999999", "18446744073709551617",
                             "000000000000000000000001", "123456789012345678901234567890", "0.1", "12.5",
                             "3.141592653589793238", "5.", ".000000000000000000000000001"}) {
        Scanner s(text);
        s.readToken();
        EXPECT_EQ(s.kind(), TokenKind::Number) << text;
        EXPECT_EQ(s.tokenValue(), std::strtod(text, nullptr)) << text;
        EXPECT_EQ(s.tokenText(), text);
        EXPECT_EQ(s.currentCharacter(), "");
    }
}

TEST(Tokenizer, AnOperatorAtTheLastPositionStillOverflowsOnTheStep) {
    for (char op : {'+', '(', '!'}) {
        std::string text(32766, ' ');
        Scanner fits(text + op);  // the operator at 32767: stepping past it overflows
        try {
            fits.readToken();
            ADD_FAILURE() << op;
        } catch (const NumFailure& f) {
            EXPECT_EQ(f.kind(), FailureKind::Overflow);
            EXPECT_EQ(fits.position(), 32767);
        }
        Scanner before(text.substr(1) + op + "1");  // at 32766: fine
        before.readToken();
        EXPECT_EQ(before.token(), std::string(1, op));
        EXPECT_EQ(before.position(), 32767);
    }
}
