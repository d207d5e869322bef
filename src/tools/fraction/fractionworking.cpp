#include "tools/fraction/fractionworking.h"

#include "tools/number/gcd.h"
#include "tools/number/workingtext.h"

#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

namespace kz {

namespace {

// The exercise book's words.
constexpr std::string_view kCoprime = "分子和分母互质，";
constexpr std::string_view kLowestTerms = "已是最简分数";
constexpr std::string_view kGreatestCommonFactor = "最大公因数：";
constexpr std::string_view kSameDenominator = "分母相同";
constexpr std::string_view kRoundedTo = "取整为";
constexpr std::string_view kSo = "所以";
constexpr std::string_view kMixed = "又";
constexpr std::string_view kComma = "，";

std::string str(std::string_view s) { return std::string(s); }

// A second operand that starts with a minus goes in parentheses: 1/2－(－1/3).
std::string afterSign(std::int64_t n, std::int64_t d) {
    const std::string t = fractionText(n, d);
    return n < 0 ? "(" + t + ")" : t;
}

std::string_view opSign(FractionOp op) {
    switch (op) {
        case FractionOp::Add: return sign::kPlus;
        case FractionOp::Subtract: return sign::kMinus;
        case FractionOp::Multiply: return sign::kTimes;
        case FractionOp::Divide: return sign::kDivide;
        case FractionOp::None: break;
    }
    return {};
}

struct Frac {
    std::int64_t n, d;
};

// The sign in front, the denominator positive: 1/(－3) is －1/3.
Frac signInFront(std::int64_t n, std::int64_t d) { return d < 0 ? Frac{-n, -d} : Frac{n, d}; }

// After the sum, difference or product n/d (d > 0): 约分 when it is not in lowest terms.
void reduceInto(std::vector<std::string>& s, std::int64_t n, std::int64_t d) {
    const std::int64_t g = std::gcd(n, d);
    if (d / g == 1) s.push_back(signedText(n / g));
    else if (g > 1) s.push_back(fractionText(n / g, d / g));
}

std::string shown(std::int64_t n, std::int64_t d) { return d == 1 ? signedText(n) : fractionText(n, d); }

std::string_view relation(const Rational& l, const Rational& r) {
    return l < r ? sign::kLess : l > r ? sign::kGreater : sign::kEquals;
}

}  // namespace

Working arithmeticWorking(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d, FractionOp op,
                          std::int64_t shownNumerator, std::int64_t shownDenominator) {
    Working w;
    if (b == 0 || d == 0 || op == FractionOp::None || (op == FractionOp::Divide && c == 0)) return w;
    const std::string o = str(opSign(op));
    std::vector<std::string> s{fractionText(a, b) + o + afterSign(c, d)};
    const Frac x = signInFront(a, b), y = signInFront(c, d);
    if (b < 0 || d < 0) s.push_back(fractionText(x.n, x.d) + o + afterSign(y.n, y.d));
    switch (op) {
        case FractionOp::Add:
        case FractionOp::Subtract: {
            const bool add = op == FractionOp::Add;
            std::int64_t l = x.d, p = x.n, q = y.n;
            if (x.d != y.d) {  // 通分
                l = std::lcm(x.d, y.d);
                p = x.n * (l / x.d);
                q = y.n * (l / y.d);
                s.push_back(fractionText(p, l) + o + afterSign(q, l));
            }
            const std::int64_t n = add ? p + q : p - q;
            s.push_back(fractionText(n, l));
            reduceInto(s, n, l);
            break;
        }
        case FractionOp::Multiply:
            s.push_back(fractionText(x.n * y.n, x.d * y.d));
            reduceInto(s, x.n * y.n, x.d * y.d);
            break;
        case FractionOp::Divide: {
            // Dividing by a fraction is multiplying by its reciprocal.
            const Frac r = signInFront(y.d, y.n);
            const std::string reciprocal = r.d == 1 ? operandText(Rational(r.n)) : afterSign(r.n, r.d);
            s.push_back(fractionText(x.n, x.d) + str(sign::kTimes) + reciprocal);
            s.push_back(fractionText(x.n * r.n, x.d * r.d));
            reduceInto(s, x.n * r.n, x.d * r.d);
            break;
        }
        case FractionOp::None: break;
    }
    // The window keeps a negative denominator where the operation put it.
    if (const std::string answer = shown(shownNumerator, shownDenominator); s.back() != answer) s.push_back(answer);
    return w.steps(std::move(s));
}

Working reductionWorking(std::int64_t a, std::int64_t b) {
    Working w;
    if (b == 0) return w;
    const std::string original = fractionText(a, b);
    if (a == 0) return w.steps({original, "0"});
    // Beyond what the boxes admit the ladder's trial division would take long: no working.
    if (std::llabs(a) > 1'000'000'000'000 || std::llabs(b) > 1'000'000'000'000) return w;
    const bool negative = (a < 0) != (b < 0);
    const std::int64_t A = std::llabs(a), B = std::llabs(b);
    const std::string minus = negative ? str(sign::kMinus) : std::string();
    const std::string normal = minus + numberToText(A) + "/" + numberToText(B);
    std::vector<std::string> s{original};
    if (normal != original) s.push_back(normal);
    const std::int64_t g = std::gcd(A, B);
    if (g == 1) {
        if (B == 1) {
            s.push_back(minus + numberToText(A));
            return w.steps(std::move(s));
        }
        if (s.size() > 1) w.steps(s);
        return w.line(str(kCoprime) + normal + str(kLowestTerms));
    }
    // The GCD window's short division, so both windows teach the same ladder.
    const CommonDivision division = commonDivisionLadder(A, B);
    w.append(division.ladder);
    const std::string factors = joinedBy(division.divisors, sign::kTimes);
    const std::int64_t x = A / g, y = B / g;
    const std::string gt = numberToText(g);
    w.line(str(kGreatestCommonFactor) + factors + (factors == gt ? std::string() : str(sign::kEquals) + gt));
    s.push_back(minus + "(" + numberToText(A) + str(sign::kDivide) + gt + ")/(" + numberToText(B) + str(sign::kDivide) +
                gt + ")");
    s.push_back(minus + numberToText(x) + (y == 1 ? std::string() : "/" + numberToText(y)));
    return w.steps(std::move(s));
}

Working comparisonWorking(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    Working w;
    if (b == 0 || d == 0) return w;
    const Frac x = signInFront(a, b), y = signInFront(c, d);
    const Rational l(x.n, x.d), r(y.n, y.d);  // the denominators positive: Boost wants them so
    const std::string rel = str(relation(l, r));
    std::vector<std::string> clauses;
    // Each fraction as it stands, with the sign in front, and over the common denominator.
    auto chain = [&](std::int64_t n, std::int64_t dd, const Frac& f, std::int64_t common) {
        std::vector<std::string> parts{fractionText(n, dd)};
        if (fractionText(f.n, f.d) != parts.back()) parts.push_back(fractionText(f.n, f.d));
        const std::string scaled = fractionText(f.n * (common / f.d), common);
        if (scaled != parts.back()) parts.push_back(scaled);
        std::string t;
        for (const std::string& p : parts) t += (t.empty() ? "" : str(sign::kEquals)) + p;
        if (parts.size() > 1) clauses.push_back(t);
    };
    if (x.d == y.d) {
        chain(a, b, x, x.d);
        chain(c, d, y, y.d);
        clauses.push_back(str(kSameDenominator));
        clauses.push_back(signedText(x.n) + rel + signedText(y.n));
    } else {  // 通分
        const std::int64_t common = std::lcm(x.d, y.d);
        chain(a, b, x, common);
        chain(c, d, y, common);
        clauses.push_back(fractionText(x.n * (common / x.d), common) + rel +
                          fractionText(y.n * (common / y.d), common));
    }
    clauses.push_back(str(kSo) + fractionText(a, b) + rel + fractionText(c, d));
    std::string t;
    for (const std::string& cl : clauses) t += (t.empty() ? "" : str(kComma)) + cl;
    return w.line(std::move(t));
}

Working improperWorking(std::string_view numeratorText, std::string_view denominatorText, std::int64_t n,
                        std::int64_t d, std::int64_t whole, std::int64_t rest) {
    Working w;
    if (n < 0 || d <= 0) return w;  // the boxes admit no sign
    std::string t;
    // The window divides whole numbers: a typed decimal is rounded first, and the working says so.
    for (auto [text, v] : {std::pair{numeratorText, n}, std::pair{denominatorText, d}}) {
        const std::optional<Rational> typed = exactNumber(text);
        if (typed && *typed != v) t += valueText(*typed) + str(kRoundedTo) + numberToText(v) + str(kComma);
    }
    const std::string nt = numberToText(n), dt = numberToText(d), wt = numberToText(whole);
    t += nt + str(sign::kDivide) + dt + str(sign::kEquals) + wt;
    if (rest != 0) t += str(sign::kRemainder) + numberToText(rest);
    t += str(kComma) + str(kSo) + nt + "/" + dt + str(sign::kEquals) + wt;
    if (rest != 0) t += str(kMixed) + numberToText(rest) + "/" + dt;
    return w.line(std::move(t));
}

Working mixedWorking(std::string_view wholeText, std::string_view numeratorText, std::string_view denominatorText) {
    Working w;
    const auto whole = exactNumber(wholeText), n = exactNumber(numeratorText), d = exactNumber(denominatorText);
    if (!whole || !n || !d || *d == 0) return w;
    const std::string dt = valueText(*d);
    return w.steps({valueText(*whole) + str(kMixed) + valueText(*n) + "/" + dt,
                    "(" + operandText(*whole) + str(sign::kTimes) + operandText(*d) + str(sign::kPlus) +
                        operandText(*n) + ")/" + dt,
                    valueText(*whole * *d + *n) + "/" + dt});
}

}  // namespace kz
