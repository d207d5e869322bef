#include "tools/number/factorize.h"

#include <algorithm>
#include <cmath>

#include "framework/numconv.h"

namespace kz {

U128 maxFactorInput() {
    static const U128 v = *parseDecimal("9999999999999999999999999");
    return v;
}

std::optional<U128> readFactorInput(std::string_view boxText) {
    std::string s;
    for (char c : boxText)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') s.push_back(c);
    // A plain digit run, sign allowed, is read exactly.
    const DecimalScan scan = scanDecimal(s);
    if (scan.length != 0 && scan.length == s.size() && !scan.point && !scan.hasExponent) {
        const std::string_view significant =
            scan.whole.substr(std::min(scan.whole.find_first_not_of('0'), scan.whole.size()));
        if (significant.empty() || scan.negative) return std::nullopt;
        auto v = significant.size() <= 25 ? parseDecimal(significant) : std::nullopt;
        if (!v) fail(FailureKind::Overflow);
        return v;
    }
    // Not a plain digit run: the leading-number meaning, then exact from the double.
    double v = leadingNumber(boxText);
    if (!(v >= 1) || v != std::floor(v)) return std::nullopt;
    if (v > 9.999999999999999e24) fail(FailureKind::Overflow);
    double high = std::floor(std::ldexp(v, -64));
    return U128::fromParts(static_cast<std::uint64_t>(high), static_cast<std::uint64_t>(v - std::ldexp(high, 64)));
}

namespace {

std::optional<std::string> textFor(U128 n, const std::stop_token& stop) {
    if (n.isZero()) return std::string();
    if (n == U128(1)) return std::string("它既不是质数，也不是合数");
    auto factors = factorize(n, stop);
    if (!factors) return std::nullopt;
    return factorsText(*factors);
}

}  // namespace

std::string factorsText(const std::vector<U128>& factors) {
    if (factors.empty()) return "它既不是质数，也不是合数";
    if (factors.size() == 1) return "这是一个质数";
    std::string text;
    for (const U128& f : factors) {
        if (!text.empty()) text += '*';
        text += toDecimal(f);
    }
    return text;
}

std::string factorizationText(U128 n) { return *textFor(n, std::stop_token{}); }

std::optional<std::string> factorizationTextOf(std::string_view boxText, std::stop_token stop) {
    std::optional<U128> n = readFactorInput(boxText);
    if (!n) return std::string();
    return textFor(*n, stop);
}

}  // namespace kz
