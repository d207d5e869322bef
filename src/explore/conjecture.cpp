#include "explore/conjecture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "framework/numconv.h"
#include "framework/outcome.h"
#include "tools/number/nt/primality.h"
#include "tools/number/nt/smallprimes.h"

namespace kz::conjecture {

namespace {

// The Goldbach pages take at most six characters, so every number they
// search lies below one million: within the shared sieve.
constexpr std::int64_t kSieveLimit = 1000000;
static_assert(kSieveLimit <= nt::kSmallPrimeLimit);

std::string digits(std::int64_t v) { return std::to_string(v); }

// Plain digits after one blank when not negative, "-" in front otherwise.
std::string numberText(std::int64_t v) { return v < 0 ? digits(v) : " " + digits(v); }

std::string resultLine(std::int32_t n, std::initializer_list<std::int64_t> terms) {
    std::string text = "结果： " + digits(n) + "=";
    bool first = true;
    for (std::int64_t t : terms) {
        if (!first) text += "+";
        text += digits(t);
        first = false;
    }
    return text;
}

// Reads a Goldbach page's box: nullopt when the text is not a number (the
// box then says so); an overflow shows the failure message and leaves 0.
std::optional<std::int32_t> readGoldbach(std::string_view text, std::string_view notNumber, Verification& v) {
    std::optional<double> d = tryStrictNumber(text);
    if (!d) {
        v.inputText = std::string(notNumber);
        return std::nullopt;
    }
    std::int32_t n = 0;  // what an overflow leaves
    Calculation calc;
    calc.step([&] { n = toInt32(*d); });
    calc.reportTo(v.messages, kFailure);
    return n;
}

// Reverse of the number's decimal text: the first character gets place 1,
// the next 10 and so on; a character that is not a digit counts as 0. The
// place value is 32-bit, so texts of ten or more characters overflow.
std::int32_t reverseOf(std::int32_t n) {
    std::string t = digits(n);
    std::int32_t r = 0, place = 1;
    for (char c : t) {
        int d = (c >= '0' && c <= '9') ? c - '0' : 0;
        r = add32(r, mul32(d, place));
        place = mul32(place, 10);
    }
    return r;
}

bool isPalindrome(std::int32_t n) {
    std::string t = digits(n);
    return std::equal(t.begin(), t.begin() + t.size() / 2, t.rbegin());
}

}  // namespace

void prepare() { nt::prepareSmallPrimes(); }

bool isPrime(std::int64_t p) {
    if (p < 3) return false;
    if (p < kSieveLimit) return nt::isSmallPrime(static_cast<std::uint32_t>(p));
    return isPrime64(static_cast<std::uint64_t>(p));
}

Verification threeOddPrimes(std::string_view text) {
    Verification v;
    std::optional<std::int32_t> read = readGoldbach(text, kOddNotNumber, v);
    if (!read) return v;
    const std::int32_t n = *read;
    if (n % 2 == 0 || n < 9) {
        v.messages.emplace_back(kOddRange);
        return v;
    }
    for (std::int64_t i = 3; i <= n / 2; ++i) {
        if (!isPrime(i)) continue;
        for (std::int64_t j = 3; j <= n - i - 3; ++j) {
            if (isPrime(j) && isPrime(n - i - j)) {
                v.result = resultLine(n, {i, j, n - i - j});
                return v;
            }
        }
    }
    v.messages.emplace_back(kOddRange);
    return v;
}

Verification twoPrimes(std::string_view text) {
    Verification v;
    std::optional<std::int32_t> read = readGoldbach(text, kEvenNotNumber, v);
    if (!read) return v;
    const std::int32_t n = *read;
    if (n % 2 != 0 || n < 6) {
        v.messages.emplace_back(kEvenRange);
        return v;
    }
    for (std::int64_t i = 2; i <= n / 2; ++i) {
        if ((isPrime(i) || i == 2) && isPrime(n - i)) {
            v.result = resultLine(n, {i, n - i});
            return v;
        }
    }
    v.messages.emplace_back(kEvenRange);
    return v;
}

Verification reverseAndAdd(std::string_view text) {
    Verification v;
    std::string out;
    auto tooLong = [&] {
        v.messages.emplace_back(kTooLong);
        v.result = out;
        v.closeWindow = true;
        return v;
    };
    std::int32_t n = 0;
    Calculation calc;
    if (!calc.step([&] { n = toInt32(strictNumber(text)); })) {
        if (calc.lastFailure() == FailureKind::Overflow) return tooLong();
        v.messages.emplace_back(kFailure);
    }
    // Each addition grows a positive number and shrinks a negative one
    // towards 0, so the run ends in a palindrome or at the 10-digit overflow.
    std::int32_t s = 0;
    for (;;) {
        std::int32_t r = 0;
        if (!calc.step([&] {
                r = reverseOf(n);
                s = add32(n, r);
            }))
            return tooLong();
        out += numberText(n) + "+" + numberText(r) + "=" + numberText(s);
        out += kLineBreak;
        if (isPalindrome(s)) break;
        n = s;
    }
    out += "结果：" + numberText(s) + "是回文数";
    v.result = out;
    return v;
}

Verification collatz(std::string_view text) {
    Verification v;
    std::int16_t n = 0;
    Calculation calc;
    if (!calc.step([&] { n = toInt16(leadingNumber(text)); })) {
        calc.reportTo(v.messages, kFailure);
        return v;
    }
    std::string out = "计算过程：";
    out += kLineBreak;
    out += digits(n) + ">";
    // Below 1 the sequence never reaches 1; an overflow ends it too.
    while (n >= 1 && n != 1) {
        if (!calc.step([&] { n = (n % 2 == 0) ? static_cast<std::int16_t>(n / 2) : add16(mul16(3, n), 1); })) break;
        out += digits(n) + ">";
    }
    calc.reportTo(v.messages, kFailure);
    out.pop_back();
    v.result = out;
    return v;
}

Verification nicomachus(std::string_view text) {
    Verification v;
    std::int32_t n = 0, f = 0;
    Calculation calc;
    if (!calc.step([&] {
            n = toInt32(leadingNumber(text));
            // The step count and the loop index are 16-bit, and so is 2 * i
            // for i up to n - 1: n - 1 must stay within 16383.
            std::int16_t steps = add16(n, -1);
            if (steps > 0) mul16(2, steps);
            f = add32(mul32(n - 1, n), 1);
        })) {
        calc.reportTo(v.messages, kFailure);
        return v;
    }
    std::string nt = digits(n);
    std::string out =
        nt + "×" + nt + "×" + nt + "=" + numberToText(std::pow(static_cast<double>(n), 3)) + "=" + digits(f);
    for (std::int32_t i = 1; i <= n - 1; ++i) out += "+" + digits(f + 2 * i);
    v.result = out;
    return v;
}

}  // namespace kz::conjecture
