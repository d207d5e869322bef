// The five verifications of the conjecture explorer, display-free. Each takes
// the text of its page's input box and returns what the page shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz::conjecture {

// Line break inside the multi-line outputs.
inline constexpr std::string_view kLineBreak = "\n";

// Message texts (message boxes titled "错误" with the error icon).
inline constexpr std::string_view kFailure = "发生错误";
inline constexpr std::string_view kOddRange = "请输入一个大于或等于9的奇数！";
inline constexpr std::string_view kEvenRange = "请输入一个大于或等于6的偶数！";
inline constexpr std::string_view kTooLong = "计算过程太长，导致错误！";
// Replacement texts of the input boxes of the two Goldbach pages.
inline constexpr std::string_view kOddNotNumber = "请输入数字！";
inline constexpr std::string_view kEvenNotNumber = "请输入数字!";

struct Verification {
    std::vector<std::string> messages;     // message boxes, in the order shown
    std::optional<std::string> inputText;  // new text of the page's input box
    std::optional<std::string> result;     // new text of the result label or output box
    bool closeWindow = false;              // the window closes after the messages
};

// The explorer's own prime test: p >= 3 with no divisor from 2 to p - 1
// (so 2 is not prime here). Sieve below one million, Miller-Rabin above.
bool isPrime(std::int64_t p);

// Builds the sieve now (it is otherwise built on first use).
void prepare();

// Page 0: n = i + j + k, three odd primes, smallest i then smallest j.
Verification threeOddPrimes(std::string_view text);
// Page 1: n = i + j, two primes.
Verification twoPrimes(std::string_view text);
// Page 2: reverse and add on 32-bit numbers until a palindrome.
Verification reverseAndAdd(std::string_view text);
// Page 3: the 3n+1 sequence in 16-bit arithmetic.
Verification collatz(std::string_view text);
// Page 4: n^3 as the sum of n consecutive odd numbers.
Verification nicomachus(std::string_view text);

}  // namespace kz::conjecture
