#include "tools/equation/elimination.h"

#include <optional>
#include <vector>

#include "tools/fraction/exacttext.h"

namespace kz {

namespace {

// The textbook's words.
constexpr std::string_view kPut = "把";
constexpr std::string_view kInto = "代入";
constexpr std::string_view kGives = "，得 ";
constexpr std::string_view kSolve = "解";
constexpr std::string_view kSolvedGives = "，解得 ";
constexpr std::string_view kDoesNotHold = "，不成立，所以";
constexpr std::string_view kSo = "所以";
constexpr std::string_view kSolutionIs = "所以原方程组的解是 ";
constexpr std::string_view kAreTheSolution = "是原方程组的解。";
constexpr std::string_view kLeftSide = "左边";
constexpr std::string_view kRightSide = "右边";
constexpr std::string_view kApproximately = "≈";
constexpr std::string_view kComma = "，";

std::string str(std::string_view s) { return std::string(s); }

constexpr const char* kUnknowns[] = {"x", "y", "z"};
// Three equations and at most three derived in two rounds: ten numbers are plenty.
constexpr const char* kNumbers[] = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧", "⑨", "⑩"};

struct Equation {
    std::vector<Rational> a;  // coefficient of each unknown
    Rational r;               // right-hand side
    std::string number;       // "①"; empty for a 0＝0 that is dropped
};

// kx without its sign: x, 2x, 0.5x.
std::string termText(const Rational& k, const char* unknown) {
    return (k == 1 ? std::string() : valueText(k)) + unknown;
}

// The terms of an equation, 0 coefficients dropped; where a value is
// known it stands in for its unknown ("2×(－1)").
std::string leftText(const Equation& e, const std::vector<std::optional<Rational>>& known) {
    std::string t;
    for (std::size_t j = 0; j < e.a.size(); ++j) {
        if (e.a[j] == 0) continue;
        const Rational m = abs(e.a[j]);
        std::string piece;
        // A negative value is put in parentheses, except where it opens the side.
        if (known[j] && m == 1) piece = t.empty() && e.a[j] > 0 ? valueText(*known[j]) : operandText(*known[j]);
        else if (known[j]) piece = valueText(m) + str(sign::kTimes) + operandText(*known[j]);
        else piece = termText(m, kUnknowns[j]);
        if (e.a[j] < 0) t += str(sign::kMinus) + piece;
        else t += (t.empty() ? "" : str(sign::kPlus)) + piece;
    }
    return t.empty() ? "0" : t;
}

std::string equationText(const Equation& e, const std::vector<std::optional<Rational>>& known) {
    return leftText(e, known) + str(sign::kEquals) + valueText(e.r);
}

std::string timesText(const std::string& number, const BigInt& m) {
    return m == 1 ? number : number + str(sign::kTimes) + m.str();
}

class Eliminator {
public:
    explicit Eliminator(std::size_t n) : n_(n), none_(n) {}

    Working w;
    bool contradiction = false;
    bool deficient = false;
    std::vector<std::optional<Rational>> value;

    void add(Equation e) {
        e.number = kNumbers[count_++];
        w.line(count_ == 1 ? lead::kSolution : std::string_view(), equationText(e, none_) + "  " + e.number);
        equations_.push_back(std::move(e));
    }

    // Gaussian elimination told as the textbook tells it. True when every unknown has its value.
    bool solve() {
        value.assign(n_, std::nullopt);
        std::vector<std::size_t> active, unknowns;
        for (std::size_t i = 0; i < equations_.size(); ++i) active.push_back(i);
        for (std::size_t j = 0; j < n_; ++j) unknowns.push_back(j);
        return solve(active, unknowns);
    }

private:
    bool solve(const std::vector<std::size_t>& active, std::vector<std::size_t> unknowns) {
        // An equation without unknowns left is 0＝0, which says nothing, or 0＝k, which cannot hold.
        std::vector<std::size_t> remaining;
        for (std::size_t i : active) {
            const Equation& e = equations_[i];
            bool empty = true;
            for (std::size_t j : unknowns) empty = empty && e.a[j] == 0;
            if (!empty) remaining.push_back(i);
            else if (e.r != 0) {
                contradiction = true;
                w.line("0" + str(sign::kEquals) + valueText(e.r) + str(kDoesNotHold) + str(kNoSolutionText));
                return false;
            } else {
                deficient = true;
            }
        }
        if (unknowns.empty() || remaining.empty()) return !deficient && unknowns.empty();

        // Eliminate the unknown that needs the smallest multipliers.
        std::size_t bestU = 0, bestP = 0;
        std::optional<BigInt> bestCost;
        for (std::size_t u : unknowns)
            for (std::size_t p : remaining) {
                if (equations_[p].a[u] == 0) continue;
                BigInt cost = 0;
                for (std::size_t q : remaining)
                    if (q != p && equations_[q].a[u] != 0) {
                        auto [m1, m2] = multipliers(equations_[p].a[u], equations_[q].a[u]);
                        cost += m1 + m2;
                    }
                if (!bestCost || cost < *bestCost) {
                    bestCost = cost;
                    bestU = u;
                    bestP = p;
                }
            }
        const std::size_t u = bestU, p = bestP;
        std::vector<std::size_t> next;
        for (std::size_t q : remaining) {
            if (q == p) continue;
            if (equations_[q].a[u] == 0) {
                next.push_back(q);
                continue;
            }
            next.push_back(derive(p, q, u, unknowns));
        }
        std::erase(unknowns, u);
        if (!solve(next, unknowns)) return false;

        // Back into the pivot's equation with the values found.
        const Equation& e = equations_[p];
        Rational rest = e.r;
        std::string names;
        std::vector<std::optional<Rational>> known(n_);
        for (std::size_t j = 0; j < n_; ++j)
            if (j != u && e.a[j] != 0) {
                known[j] = value[j];
                rest -= e.a[j] * *value[j];
                names +=
                    (names.empty() ? "" : str(kComma)) + str(kUnknowns[j]) + str(sign::kEquals) + valueText(*value[j]);
            }
        value[u] = rest / e.a[u];
        const std::string solved = str(kUnknowns[u]) + str(sign::kEquals) + valueText(*value[u]);
        if (!names.empty())
            w.line(str(kPut) + names + str(kInto) + e.number + str(kGives) + equationText(e, known) +
                   str(kSolvedGives) + solved);
        else if (equationText(e, none_) != solved) w.line(str(kSolve) + e.number + str(kGives) + solved);
        return true;
    }

    // Whole multipliers m1, m2 with m1·|p| = m2·|q|, the least such.
    static std::pair<BigInt, BigInt> multipliers(const Rational& p, const Rational& q) {
        const BigInt pn = abs(numerator(p)), qn = abs(numerator(q));
        const Rational common(lcm(pn, qn), gcd(denominator(p), denominator(q)));
        return {numerator(Rational(common / abs(p))), numerator(Rational(common / abs(q)))};
    }

    // ①×m1 ∓ ②×m2, oriented so the first unknown left has a positive coefficient.
    std::size_t derive(std::size_t p, std::size_t q, std::size_t u, const std::vector<std::size_t>& unknowns) {
        const Equation &P = equations_[p], &Q = equations_[q];
        auto [m1, m2] = multipliers(P.a[u], Q.a[u]);
        const bool same = (P.a[u] > 0) == (Q.a[u] > 0);
        Equation e;
        e.a.resize(n_);
        for (std::size_t j = 0; j < n_; ++j) e.a[j] = Rational(m1) * P.a[j] + (same ? -1 : 1) * Rational(m2) * Q.a[j];
        e.a[u] = 0;  // exactly, by the choice of the multipliers
        e.r = Rational(m1) * P.r + (same ? -1 : 1) * Rational(m2) * Q.r;
        std::string how = timesText(P.number, m1) + str(same ? sign::kMinus : sign::kPlus) + timesText(Q.number, m2);
        if (same) {
            Rational lead = 0;
            for (std::size_t j : unknowns)
                if (j != u && e.a[j] != 0) {
                    lead = e.a[j];
                    break;
                }
            if (lead < 0 || (lead == 0 && e.r < 0)) {
                for (Rational& c : e.a) c = -c;
                e.r = -e.r;
                how = timesText(Q.number, m2) + str(sign::kMinus) + timesText(P.number, m1);
            }
        }
        bool empty = true;
        for (const Rational& c : e.a) empty = empty && c == 0;
        std::string line = how + str(kGives) + equationText(e, none_);
        if (!empty && count_ < std::size(kNumbers)) {
            e.number = kNumbers[count_++];
            line += "  " + e.number;
        }
        w.line(std::move(line));
        equations_.push_back(std::move(e));
        return equations_.size() - 1;
    }

    std::size_t n_;
    std::size_t count_ = 0;
    std::vector<std::optional<Rational>> none_;
    std::vector<Equation> equations_;
};

}  // namespace

Working eliminationWorking(std::span<const std::string_view> texts, std::size_t n, Solvability verdict,
                           std::span<const std::string> shown) {
    if (n < 2 || n > 3 || texts.size() != n * (n + 1)) return {};
    Eliminator el(n);
    std::vector<Equation> system;
    for (std::size_t i = 0; i < n; ++i) {
        Equation e;
        for (std::size_t j = 0; j <= n; ++j) {
            const auto v = exactNumber(texts[i * (n + 1) + j]);
            if (!v) return {};
            if (j < n) e.a.push_back(*v);
            else e.r = *v;
        }
        system.push_back(std::move(e));
    }
    for (Equation& e : system) el.add(e);
    const bool unique = el.solve();
    const Solvability found = unique             ? Solvability::Unique
                              : el.contradiction ? Solvability::None
                                                 : Solvability::InfinitelyMany;
    if (found != verdict || (unique && shown.size() < n)) return {};
    if (!unique) {
        if (!el.contradiction)
            el.w.line("0" + str(sign::kEquals) + "0" + str(kComma) + str(kSo) + str(kInfinitelyManyText));
        return std::move(el.w);
    }
    std::string solution, values;
    for (std::size_t j = 0; j < n; ++j) {
        const std::string v = str(kUnknowns[j]) + str(sign::kEquals) + valueText(*el.value[j]);
        values += (j ? str(kComma) : std::string()) + v;
        // The window writes seven significant digits: where that is not the exact value, it follows "≈".
        solution += (j ? str(kComma) : std::string()) + v +
                    (exactNumber(shown[j]) == el.value[j] ? "" : str(kApproximately) + shownText(shown[j]));
    }
    el.w.line(str(kSolutionIs) + solution);
    for (std::size_t i = 0; i < n; ++i) {
        Equation e = system[i];
        Rational left = 0;
        for (std::size_t j = 0; j < n; ++j) left += e.a[j] * *el.value[j];
        const std::string substituted = leftText(e, el.value), result = valueText(left);
        const std::string check = str(kInto) + kNumbers[i] + str(kComma) + str(kLeftSide) + str(sign::kEquals) +
                                  substituted + (substituted == result ? std::string() : str(sign::kEquals) + result) +
                                  str(sign::kEquals) + str(kRightSide);
        if (i == 0) el.w.line(lead::kVerify, str(kPut) + values + check);
        else el.w.line(check);
    }
    el.w.line(str(kSo) + values + str(kAreTheSolution));
    return std::move(el.w);
}

}  // namespace kz
