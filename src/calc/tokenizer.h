// Cuts a line of text into the tokens of the expression calculator. The
// statistics window reads its number list with the same scanner, and also
// steps the position over separators itself, so the state is public.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/numconv.h"

namespace kz {

enum class TokenKind : std::uint8_t {
    Minus,       // -
    Plus,        // +
    Star,        // *
    Slash,       // /
    Caret,       // ^
    LeftParen,   // (
    RightParen,  // )
    Bang,        // !
    Equals,      // =
    Number,      // digits and points, or pi / e in any letter case
    Name,        // any other run of ASCII letters; name() holds it in lower case
    End,         // the position lies past the end of the text ("EOS")
    Unknown,     // a character of no class; the position stays on it ("")
    Error,       // set by the evaluator after a failure ("TError"), never read
};

// The value the scanner gives the name pi (this decimal, not full precision).
inline constexpr double kScannerPi = 3.14159265358979;

// One scanner state. Texts are UTF-8; a character is one code point, and a
// byte that is not valid UTF-8 counts as one character of its own. The
// position is 1-based and 16-bit: stepping it beyond 32767 is an overflow.
class Scanner {
public:
    Scanner() = default;
    explicit Scanner(std::string_view source) { setSource(source); }

    // Sets the text and puts the position back to 1; the token becomes End.
    void setSource(std::string_view source);
    const std::string& source() const { return source_; }
    // Length of the text in characters.
    std::int32_t length() const { return length_; }

    std::int16_t position() const { return position_; }
    void setPosition(std::int16_t position) { position_ = position; }
    // position + 1; raises Overflow (kz::NumFailure) from 32767.
    void advance() { advanceBy(1); }

    // The character at a 1-based position, "" outside the text.
    std::string_view characterAt(std::int32_t position) const;
    // The character fetched last by readToken ("" past the end).
    std::string_view currentCharacter() const { return std::string_view(source_).substr(currentStart_, currentSize_); }

    // Reads the next token. Raises kz::NumFailure: Overflow when the position
    // would pass 32767 or a number is too large, TypeMismatch for a number
    // text such as "." or "1..5". After a failed number the token is Number
    // with value 0 and the position lies past the number text.
    void readToken() {
        // The most frequent tokens of an ASCII text, an operator character
        // and a number, are read directly; readAnyToken reads every token the
        // same way.
        if (inAsciiPrefix(position_) && position_ < 32767) {
            const char c = source_[position_ - 1];
            if (c >= '0' && c <= '9') {
                readNumber();
                return;
            }
            const TokenKind k = operatorKind(c);
            if (k != TokenKind::Unknown) {
                kind_ = k;
                textSize_ = 0;  // lowered_ is left: only a Name reads it, and readAnyToken clears it
                value_ = 0;
                currentStart_ = static_cast<std::uint32_t>(position_ - 1);
                currentSize_ = 1;
                ++position_;
                return;
            }
        }
        readAnyToken();
    }

    TokenKind kind() const { return kind_; }
    // The token as text: "+" ... "=", "Number", the lower-case name, "EOS",
    // "" or "TError".
    std::string token() const;
    // The characters of a number or name as typed; valid until the next read.
    std::string_view tokenText() const { return std::string_view(source_).substr(textStart_, textSize_); }
    // The lower-case name of a Name token, "" otherwise; valid until the next read.
    std::string_view name() const {
        if (kind_ != TokenKind::Name) return {};
        return lowered_.empty() ? tokenText() : std::string_view(lowered_);
    }
    double tokenValue() const { return value_; }

    // Lets the evaluator stop every level after a failure.
    void markError() { kind_ = TokenKind::Error; }

private:
    static TokenKind operatorKind(char c) {
        switch (c) {
            case '-': return TokenKind::Minus;
            case '+': return TokenKind::Plus;
            case '*': return TokenKind::Star;
            case '/': return TokenKind::Slash;
            case '^': return TokenKind::Caret;
            case '(': return TokenKind::LeftParen;
            case ')': return TokenKind::RightParen;
            case '!': return TokenKind::Bang;
            case '=': return TokenKind::Equals;
            default: return TokenKind::Unknown;
        }
    }
    void readAnyToken();
    bool inAsciiPrefix(std::int32_t position) const { return static_cast<std::uint32_t>(position - 1) < asciiPrefix_; }
    std::int32_t byteOffset(std::int32_t position) const {
        if (starts_.empty()) return position - 1;
        return static_cast<std::int32_t>(position > length_ ? source_.size() : starts_[position - 1]);
    }
    void advanceBy(std::int32_t n) {
        if (position_ + n > 32767) {
            position_ = 32767;
            fail(FailureKind::Overflow);
        }
        position_ = static_cast<std::int16_t>(position_ + n);
    }
    // The current character <- the character at the position.
    void fetch() {
        if (inAsciiPrefix(position_)) {
            currentStart_ = static_cast<std::uint32_t>(position_ - 1);
            currentSize_ = 1;
        } else if (position_ < 1 || position_ > length_) {
            currentSize_ = 0;
        } else {
            currentStart_ = static_cast<std::uint32_t>(byteOffset(position_));
            currentSize_ = static_cast<std::uint32_t>(byteOffset(position_ + 1)) - currentStart_;
        }
    }
    // Takes as the token text the next `size` bytes from the current
    // character on, all ASCII (so as many characters), and steps over them.
    void take(std::uint32_t size) {
        textStart_ = currentStart_;
        textSize_ = size;
        advanceBy(static_cast<std::int32_t>(size));
        fetch();
    }
    // A number or a name from the character at the position.
    void readNumber();
    void readName();

    std::string source_;
    std::vector<std::uint32_t> starts_;  // byte offset of each character; empty when all ASCII
    std::int32_t length_ = 0;
    std::uint32_t asciiPrefix_ = 0;  // leading characters that are single bytes
    std::int16_t position_ = 1;
    std::uint32_t currentStart_ = 0;  // the current character, as bytes of source_
    std::uint32_t currentSize_ = 0;
    TokenKind kind_ = TokenKind::End;
    std::uint32_t textStart_ = 0;  // the token text, as bytes of source_
    std::uint32_t textSize_ = 0;
    std::string lowered_;  // the name when it was not typed in lower case
    double value_ = 0;
};

}  // namespace kz
