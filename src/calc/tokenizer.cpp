#include "calc/tokenizer.h"

#include <cmath>
#include <cstring>

#include "framework/numconv.h"

namespace kz {

namespace {

// Bytes taken by the UTF-8 character starting at s[i]; a malformed sequence
// counts its first byte alone, so any byte string splits into characters.
std::uint32_t utf8Size(std::string_view s, std::size_t i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char lead = byte(i);
    std::uint32_t n = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
    if (n == 1 || i + n > s.size()) return 1;
    for (std::uint32_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 1;
    // Reject overlong and surrogate forms, as a decoder would.
    unsigned char second = byte(i + 1);
    if (lead == 0xE0 && second < 0xA0) return 1;
    if (lead == 0xED && second >= 0xA0) return 1;
    if (lead == 0xF0 && second < 0x90) return 1;
    if (lead == 0xF4 && second >= 0x90) return 1;
    return n;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Length of the leading run of ASCII bytes, eight bytes at a time.
std::size_t asciiPrefix(std::string_view s) {
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= s.size(); i += 8) {
        std::memcpy(&word, s.data() + i, 8);
        if (word & 0x8080808080808080u) break;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i;
}

}  // namespace

void Scanner::setSource(std::string_view source) {
    source_.assign(source);
    starts_.clear();
    const std::size_t firstWide = asciiPrefix(source_);
    asciiPrefix_ = static_cast<std::uint32_t>(firstWide);
    if (firstWide == source_.size()) {
        length_ = static_cast<std::int32_t>(source_.size());
    } else {
        for (std::size_t i = 0; i < firstWide; ++i) starts_.push_back(static_cast<std::uint32_t>(i));
        for (std::size_t i = firstWide; i < source_.size(); i += utf8Size(source_, i))
            starts_.push_back(static_cast<std::uint32_t>(i));
        length_ = static_cast<std::int32_t>(starts_.size());
    }
    position_ = 1;
    currentStart_ = currentSize_ = 0;
    kind_ = TokenKind::End;
    textStart_ = textSize_ = 0;
    lowered_.clear();
    value_ = 0;
}

std::string_view Scanner::characterAt(std::int32_t position) const {
    if (position < 1 || position > length_) return {};
    std::int32_t begin = byteOffset(position);
    return std::string_view(source_).substr(begin, byteOffset(position + 1) - begin);
}

// Digits, then points, then digits: "1.2.3" is 1.2 and .3.
void Scanner::readNumber() {
    kind_ = TokenKind::Unknown;  // until the number is complete
    value_ = 0;
    fetch();
    const char* const begin = source_.c_str() + currentStart_;  // the closing NUL ends every run
    const char* p = begin;
    std::uint64_t whole = 0;  // the leading digits, while they are few enough to be exact
    for (; isDigit(*p); ++p) whole = whole * 10 + static_cast<unsigned>(*p - '0');
    const bool digitsOnly = *p != '.';
    while (*p == '.') ++p;
    while (isDigit(*p)) ++p;
    const auto size = static_cast<std::uint32_t>(p - begin);
    take(size);
    kind_ = TokenKind::Number;
    // Up to 15 digits alone are exactly that integer; other texts take the
    // full conversion, which also rejects "." and "1..5".
    value_ =
        digitsOnly && size <= 15 ? static_cast<double>(static_cast<std::int64_t>(whole)) : strictNumber(tokenText());
}

void Scanner::readName() {
    const char* const begin = source_.c_str() + currentStart_;  // the closing NUL ends the run
    const char* p = begin;
    bool upper = false;
    for (; isLetter(*p); ++p) upper |= *p < 'a';
    take(static_cast<std::uint32_t>(p - begin));
    std::string_view text = tokenText();
    if (upper)
        for (char c : text) lowered_.push_back(lower(c));
    kind_ = TokenKind::Name;
    std::string_view n = name();
    if (n == "pi" || n == "e") {
        kind_ = TokenKind::Number;
        value_ = n == "pi" ? kScannerPi : std::exp(1.0);
    }
}

void Scanner::readAnyToken() {
    kind_ = TokenKind::Unknown;
    textSize_ = 0;
    lowered_.clear();
    value_ = 0;
    for (;;) {
        if (position_ > length_) {
            kind_ = TokenKind::End;
            currentSize_ = 0;
            return;
        }
        fetch();
        // Only single-byte characters can belong to a token class.
        const char c = currentSize_ == 1 ? source_[currentStart_] : '\0';
        if (c == ' ') {
            advance();
            continue;
        }
        if (TokenKind k = operatorKind(c); k != TokenKind::Unknown) {
            kind_ = k;
            advance();
        } else if (isDigit(c) || c == '.') {
            readNumber();
        } else if (isLetter(c)) {
            readName();
        }
        return;  // Unknown: the position stays on the character
    }
}

std::string Scanner::token() const {
    switch (kind_) {
        case TokenKind::Minus: return "-";
        case TokenKind::Plus: return "+";
        case TokenKind::Star: return "*";
        case TokenKind::Slash: return "/";
        case TokenKind::Caret: return "^";
        case TokenKind::LeftParen: return "(";
        case TokenKind::RightParen: return ")";
        case TokenKind::Bang: return "!";
        case TokenKind::Equals: return "=";
        case TokenKind::Number: return "Number";
        case TokenKind::Name: return std::string(name());
        case TokenKind::End: return "EOS";
        case TokenKind::Unknown: return "";
        case TokenKind::Error: return "TError";
    }
    return "";
}

}  // namespace kz
