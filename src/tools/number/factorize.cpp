#include "tools/number/factorize.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

#include "framework/numconv.h"
#include "tools/number/montgomery.h"
#include "tools/number/primes.h"

namespace kz {

namespace {

// Trial division bound of the factorizer; above it rho and ECM are cheaper.
constexpr std::uint32_t kTrialLimit = 4096;

// ---- Pollard-Brent rho -------------------------------------------------

template <class M>
U128 rhoBrent(const M& m, std::uint64_t c0, std::uint64_t maxSteps) {
    using T = typename M::T;
    const T c = m.toMont(U128(c0));
    auto f = [&](T v) { return m.add(m.sqr(v), c); };
    T y = m.toMont(U128(2)), x = y, ys = y, q = m.one();
    U128 g = 1;
    constexpr std::uint64_t kBatch = 64;
    std::uint64_t r = 1, steps = 0;
    do {
        x = y;
        for (std::uint64_t i = 0; i < r; ++i) y = f(y);
        for (std::uint64_t k = 0; k < r && g == U128(1); k += kBatch) {
            ys = y;
            std::uint64_t lim = std::min(kBatch, r - k);
            for (std::uint64_t i = 0; i < lim; ++i) {
                y = f(y);
                q = m.mul(q, m.sub(x, y));
            }
            g = m.gcdWith(q);
        }
        steps += 2 * r;
        r *= 2;
    } while (g == U128(1) && steps < maxSteps);
    if (g == m.modulus()) {  // overshot: redo the last batch one step at a time
        for (std::uint64_t i = 0; i < kBatch * 2; ++i) {
            ys = f(ys);
            g = m.gcdWith(m.sub(x, ys));
            if (g != U128(1)) break;
        }
    }
    if (g == U128(1) || g == m.modulus()) return 0;
    return g;
}

// ---- Elliptic curve method, Montgomery curves, two stages --------------

struct EcmLevel {
    std::uint32_t b1, b2, curves;
    std::uint32_t d;                              // giant step of stage 2
    std::vector<std::uint32_t> powers;            // stage 1: p^k <= b1, every prime p <= b1
    std::vector<std::uint32_t> babies;            // j < d/2, gcd(j, d) = 1
    std::uint32_t firstM = 0;                     // stage 2: m from firstM on
    std::vector<std::uint32_t> masks;             // babies j with m*d +- j a prime in (b1, b2]
};

std::vector<bool> sieve(std::uint32_t limit) {
    std::vector<bool> prime(limit + 1, true);
    prime[0] = false;
    if (limit >= 1) prime[1] = false;
    for (std::uint64_t i = 2; i * i <= limit; ++i)
        if (prime[i])
            for (std::uint64_t j = i * i; j <= limit; j += i) prime[j] = false;
    return prime;
}

EcmLevel makeLevel(std::uint32_t b1, std::uint32_t b2, std::uint32_t curves) {
    EcmLevel L{b1, b2, curves, b1 >= 105 ? 210u : 60u, {}, {}, 0, {}};
    std::vector<bool> prime = sieve(b2 + L.d);
    for (std::uint32_t p = 2; p <= b1; ++p) {
        if (!prime[p]) continue;
        std::uint32_t q = p;
        while (std::uint64_t{q} * p <= b1) q *= p;
        L.powers.push_back(q);
    }
    for (std::uint32_t j = 1; j < L.d / 2; ++j)
        if (std::gcd(j, L.d) == 1) L.babies.push_back(j);
    L.firstM = std::max<std::uint32_t>(1, (b1 + L.d / 2) / L.d);
    for (std::uint32_t m = L.firstM; std::uint64_t{m} * L.d <= b2 + L.d / 2; ++m) {
        std::uint32_t mask = 0;
        for (std::size_t i = 0; i < L.babies.size(); ++i) {
            std::uint32_t lo = m * L.d - L.babies[i], hi = m * L.d + L.babies[i];
            bool useLo = lo > b1 && lo <= b2 && prime[lo];
            bool useHi = hi > b1 && hi <= b2 && prime[hi];
            if (useLo || useHi) mask |= 1u << i;
        }
        L.masks.push_back(mask);
    }
    return L;
}

// Escalating effort; the last level repeats until a factor turns up.
const std::vector<EcmLevel>& ecmLevels() {
    static const std::vector<EcmLevel> levels = [] {
        std::vector<EcmLevel> v;
        v.push_back(makeLevel(60, 3000, 6));
        v.push_back(makeLevel(125, 6000, 10));
        v.push_back(makeLevel(200, 12000, 16));
        v.push_back(makeLevel(350, 25000, 24));
        v.push_back(makeLevel(600, 50000, 40));
        v.push_back(makeLevel(1000, 100000, 80));
        v.push_back(makeLevel(2000, 200000, 200));
        v.push_back(makeLevel(5000, 500000, 1));
        return v;
    }();
    return levels;
}

template <class M>
class Ecm {
public:
    using T = typename M::T;
    struct Pt {
        T x, z;
    };

    Ecm(const M& m, std::uint64_t sigma) : m_(m) {
        // Suyama's parametrisation: group orders divisible by 12.
        T s = m.toMont(U128(sigma));
        T five = m.toMont(U128(5)), four = m.toMont(U128(4));
        T u = m.sub(m.sqr(s), five), v = m.mul(four, s);
        T u3 = m.mul(m.sqr(u), u);
        T vmu = m.sub(v, u);
        p0_ = {u3, m.mul(m.sqr(v), v)};
        // (A + 2) / 4 = (v - u)^3 (3u + v) / (16 u^3 v), kept as a fraction.
        num_ = m.mul(m.mul(m.sqr(vmu), vmu), m.add(m.add(m.add(u, u), u), v));
        den_ = m.mul(m.mul(u3, v), m.toMont(U128(16)));
    }

    // A proper factor found on this curve, or 0.
    U128 run(const EcmLevel& L) {
        Pt p = p0_;
        for (std::uint32_t q : L.powers) p = multiply(p, q);
        U128 g = m_.gcdWith(p.z);
        if (g == m_.modulus()) return 0;
        if (g != U128(1)) return g;
        return stage2(p, L);
    }

private:
    Pt dbl(Pt p) const {
        T s = m_.sqr(m_.add(p.x, p.z)), d = m_.sqr(m_.sub(p.x, p.z));
        T t = m_.sub(s, d);  // 4xz
        T dd = m_.mul(den_, d);
        return {m_.mul(dd, s), m_.mul(t, m_.add(dd, m_.mul(num_, t)))};
    }
    // p + q, knowing p - q.
    Pt add(Pt p, Pt q, Pt diff) const {
        T u = m_.mul(m_.sub(p.x, p.z), m_.add(q.x, q.z));
        T v = m_.mul(m_.add(p.x, p.z), m_.sub(q.x, q.z));
        return {m_.mul(diff.z, m_.sqr(m_.add(u, v))), m_.mul(diff.x, m_.sqr(m_.sub(u, v)))};
    }
    // Montgomery ladder: returns k*p, and (k+1)*p in `next`.
    Pt ladder(Pt p, std::uint64_t k, Pt* next = nullptr) const {
        Pt r0 = p, r1 = dbl(p);
        for (int i = 62 - std::countl_zero(k | 1); i >= 0; --i) {
            if ((k >> i) & 1) {
                r0 = add(r1, r0, p);
                r1 = dbl(r1);
            } else {
                r1 = add(r0, r1, p);
                r0 = dbl(r0);
            }
        }
        if (next) *next = r1;
        return r0;
    }
    Pt multiply(Pt p, std::uint64_t k) const { return ladder(p, k); }

    U128 stage2(Pt q, const EcmLevel& L) const {
        Pt baby[64];
        Pt q2 = dbl(q);
        Pt prev = q, cur = add(q2, q, q);  // 1q, 3q
        std::size_t bi = 0;
        if (L.babies[0] == 1) baby[bi++] = q;
        for (std::uint32_t j = 3; j < L.d / 2; j += 2) {
            if (bi < L.babies.size() && L.babies[bi] == j) baby[bi++] = cur;
            Pt nxt = add(cur, q2, prev);
            prev = cur;
            cur = nxt;
        }
        Pt giant = multiply(q, L.d);
        Pt gNext;
        Pt g = ladder(giant, L.firstM, &gNext);
        Pt gPrev{};
        T acc = m_.one();
        for (std::size_t i = 0; i < L.masks.size(); ++i) {
            for (std::uint32_t mask = L.masks[i]; mask; mask &= mask - 1) {
                const Pt& b = baby[std::countr_zero(mask)];
                acc = m_.mul(acc, m_.sub(m_.mul(g.x, b.z), m_.mul(b.x, g.z)));
            }
            gPrev = g;
            g = gNext;
            gNext = add(g, giant, gPrev);
        }
        U128 f = m_.gcdWith(acc);
        if (f == U128(1) || f == m_.modulus()) return 0;
        return f;
    }

    const M& m_;
    Pt p0_;
    T num_, den_;
};

template <class M>
U128 ecm(const M& m, std::size_t firstLevel, const std::stop_token& stop) {
    const auto& levels = ecmLevels();
    std::uint64_t sigma = 7;
    for (std::size_t li = firstLevel;; li = std::min(li + 1, levels.size() - 1)) {
        const EcmLevel& L = levels[li];
        for (std::uint32_t c = 0; c < L.curves; ++c) {
            if (stop.stop_requested()) throw detail::Stopped{};
            U128 f = Ecm<M>(m, sigma++).run(L);
            if (f) return f;
        }
    }
}

template <class M>
U128 split(const M& m, int bits, const std::stop_token& stop) {
    // Rho takes the small factors cheaply; ECM the rest, starting at a level
    // that fits the largest factor the smallest one can be.
    std::uint64_t rhoSteps = bits <= 64 ? 3000 : 1500;
    for (std::uint64_t c = 1; c <= 2; ++c) {
        if (U128 f = rhoBrent(m, c, rhoSteps)) return f;
        if (stop.stop_requested()) throw detail::Stopped{};
    }
    int half = bits / 2;
    std::size_t level = half <= 30 ? 0 : half <= 34 ? 1 : half <= 38 ? 2 : half <= 42 ? 3 : 4;
    return ecm(m, level, stop);
}

}  // namespace

namespace detail {

U128 findFactor(U128 n, const std::stop_token& stop) {
    for (int k : {2, 3, 5, 7, 11, 13}) {
        if (bitLength(n) < 10 * k) break;
        if (auto r = exactRoot(n, k)) return *r;
    }
    int bits = bitLength(n);
    if (n.fitsIn64()) return split(Mont64(n.lo), bits, stop);
    return split(Mont128(n), bits, stop);
}

}  // namespace detail

U128 maxFactorInput() {
    static const U128 v = *parseDecimal("9999999999999999999999999");
    return v;
}

std::optional<std::vector<U128>> factorize(U128 n, std::stop_token stop) {
    std::vector<U128> out;
    if (n < U128(2)) return out;
    try {
        detail::TrialResult td = detail::trialDivide(n, kTrialLimit, out);
        std::vector<U128> work;
        if (td.rest > U128(1)) {
            if (td.complete) out.push_back(td.rest);
            else work.push_back(td.rest);
        }
        const U128 noSmallFactorBound = mulWide(kTrialLimit, kTrialLimit);
        while (!work.empty()) {
            if (stop.stop_requested()) return std::nullopt;
            U128 c = work.back();
            work.pop_back();
            if (c < noSmallFactorBound || detail::isPrime(c, stop)) {
                out.push_back(c);
            } else {
                U128 d = detail::findFactor(c, stop);
                work.push_back(d);
                work.push_back(c / d);
            }
        }
    } catch (const detail::Stopped&) {
        return std::nullopt;
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::optional<U128> readFactorInput(std::string_view boxText) {
    std::string s;
    for (char c : boxText)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') s.push_back(c);
    std::string_view body = s;
    bool negative = false;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    if (body.empty() || body.find_first_not_of("0123456789") == std::string_view::npos) {
        std::size_t nz = body.find_first_not_of('0');
        std::string_view significant = nz == std::string_view::npos ? std::string_view{} : body.substr(nz);
        if (significant.empty() || negative) return std::nullopt;
        auto v = significant.size() <= 25 ? parseDecimal(significant) : std::nullopt;
        if (!v) fail(FailureKind::Overflow);
        return v;
    }
    // Not a plain digit run: the leading-number meaning, then exact from the double.
    double v = leadingNumber(boxText);
    if (!(v >= 1) || v != std::floor(v)) return std::nullopt;
    if (v > 9.999999999999999e24) fail(FailureKind::Overflow);
    double high = std::floor(std::ldexp(v, -64));
    return U128::fromParts(static_cast<std::uint64_t>(high),
                           static_cast<std::uint64_t>(v - std::ldexp(high, 64)));
}

namespace {

std::optional<std::string> textFor(U128 n, const std::stop_token& stop) {
    if (n.isZero()) return std::string();
    if (n == U128(1)) return std::string("它既不是质数，也不是合数");
    auto factors = factorize(n, stop);
    if (!factors) return std::nullopt;
    if (factors->size() == 1) return std::string("这是一个质数");
    std::string text;
    for (const U128& f : *factors) {
        if (!text.empty()) text += '*';
        text += toDecimal(f);
    }
    return text;
}

}  // namespace

std::string factorizationText(U128 n) { return *textFor(n, std::stop_token{}); }

std::optional<std::string> factorizationTextOf(std::string_view boxText, std::stop_token stop) {
    std::optional<U128> n = readFactorInput(boxText);
    if (!n) return std::string();
    return textFor(*n, stop);
}

}  // namespace kz
