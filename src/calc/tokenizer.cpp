#include "calc/tokenizer.h"

#include <cmath>

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

}  // namespace

void Scanner::setSource(std::string_view source) {
    source_.assign(source);
    starts_.clear();
    std::size_t firstWide = 0;
    while (firstWide < source_.size() && static_cast<unsigned char>(source_[firstWide]) < 0x80) ++firstWide;
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

template <typename Pred>
void Scanner::collect(Pred more) {
    const char* begin = source_.data() + currentStart_;
    const char* end = source_.data() + source_.size();
    const char* p = begin;
    more(p, end);
    textStart_ = currentStart_;
    textSize_ = static_cast<std::uint32_t>(p - begin);
    advanceBy(static_cast<std::int32_t>(p - begin));
    fetch();
}

void Scanner::readToken() {
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
        char c = currentSize_ == 1 ? source_[currentStart_] : '\0';
        switch (c) {
        case ' ': advance(); continue;
        case '-': kind_ = TokenKind::Minus; break;
        case '+': kind_ = TokenKind::Plus; break;
        case '*': kind_ = TokenKind::Star; break;
        case '/': kind_ = TokenKind::Slash; break;
        case '^': kind_ = TokenKind::Caret; break;
        case '(': kind_ = TokenKind::LeftParen; break;
        case ')': kind_ = TokenKind::RightParen; break;
        case '!': kind_ = TokenKind::Bang; break;
        case '=': kind_ = TokenKind::Equals; break;
        default:
            if (isDigit(c) || c == '.') {
                // Digits, then points, then digits: "1.2.3" is 1.2 and .3.
                collect([](const char*& p, const char* end) {
                    while (p < end && isDigit(*p)) ++p;
                    while (p < end && *p == '.') ++p;
                    while (p < end && isDigit(*p)) ++p;
                });
                kind_ = TokenKind::Number;
                value_ = strictNumber(tokenText());
            } else if (isLetter(c)) {
                collect([](const char*& p, const char* end) {
                    while (p < end && isLetter(*p)) ++p;
                });
                std::string_view text = tokenText();
                for (char ch : text) {
                    if (ch != lower(ch)) {
                        for (char k : text) lowered_.push_back(lower(k));
                        break;
                    }
                }
                kind_ = TokenKind::Name;
                std::string_view n = name();
                if (n == "pi" || n == "e") {
                    kind_ = TokenKind::Number;
                    value_ = n == "pi" ? kScannerPi : std::exp(1.0);
                }
            }
            return;  // Unknown: the position stays on the character
        }
        advance();
        return;
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
