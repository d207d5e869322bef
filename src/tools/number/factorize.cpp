#include "tools/number/factorize.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <mutex>
#include <numeric>
#include <stdexcept>

#include "framework/numconv.h"
#include "tools/number/montgomery.h"
#include "tools/number/primes.h"
#include "tools/number/siqs.h"

namespace kz {

namespace {

// Trial division bound of the factorizer; above it rho and ECM are cheaper.
constexpr std::uint32_t kTrialLimit = 4096;
// Smallest composite the quadratic sieve takes; below it rho and ECM win.
constexpr int kSiqsMinBits = 65;

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
    std::uint32_t d;                      // giant step of stage 2, d/2 <= b1
    std::vector<std::uint64_t> k;         // stage 1 scalar, the product of p^e <= b1, low limb first
    int kBits = 0;
    std::vector<std::uint32_t> babies;    // j < d/2, gcd(j, d) = 1
    std::uint32_t firstM = 0, giants = 0; // stage 2: m = firstM .. firstM + giants - 1
    std::vector<std::uint32_t> pairStart; // per giant: its babies in pairBaby[pairStart[i] .. pairStart[i+1])
    std::vector<std::uint16_t> pairBaby;  // babies j with m*d +- j a prime in (b1, b2]
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
    EcmLevel L;
    L.b1 = b1;
    L.b2 = b2;
    L.curves = curves;
    // The giant step that needs the fewest points (babies plus giants).
    L.d = 30;
    std::uint32_t best = ~0u;
    for (std::uint32_t d : {30u, 60u, 210u, 420u, 630u, 1050u, 2310u}) {
        if (d / 2 > b1) continue;
        std::uint32_t phiHalf = 0;
        for (std::uint32_t j = 1; j < d / 2; ++j) phiHalf += std::gcd(j, d) == 1;
        std::uint32_t cost = phiHalf + (b2 - b1) / d;
        if (cost < best) {
            best = cost;
            L.d = d;
        }
    }
    std::vector<bool> prime = sieve(b2 + L.d);
    L.k = {1};
    for (std::uint32_t p = 2; p <= b1; ++p) {
        if (!prime[p]) continue;
        std::uint64_t q = p;
        while (q * p <= b1) q *= p;
        std::uint64_t carry = 0;
        for (std::uint64_t& limb : L.k) {
            U128 t = mulWide(limb, q) + U128(carry);
            limb = t.lo;
            carry = t.hi;
        }
        if (carry) L.k.push_back(carry);
    }
    L.kBits = 64 * static_cast<int>(L.k.size() - 1) + (64 - std::countl_zero(L.k.back()));
    for (std::uint32_t j = 1; j < L.d / 2; ++j)
        if (std::gcd(j, L.d) == 1) L.babies.push_back(j);
    L.firstM = std::max<std::uint32_t>(1, (b1 + L.d / 2) / L.d);
    for (std::uint32_t m = L.firstM; std::uint64_t{m} * L.d <= b2 + L.d / 2; ++m) {
        L.pairStart.push_back(static_cast<std::uint32_t>(L.pairBaby.size()));
        for (std::size_t i = 0; i < L.babies.size(); ++i) {
            std::uint32_t lo = m * L.d - L.babies[i], hi = m * L.d + L.babies[i];
            bool useLo = lo > b1 && lo <= b2 && prime[lo];
            bool useHi = hi > b1 && hi <= b2 && prime[hi];
            if (useLo || useHi) L.pairBaby.push_back(static_cast<std::uint16_t>(i));
        }
        ++L.giants;
    }
    L.pairStart.push_back(static_cast<std::uint32_t>(L.pairBaby.size()));
    return L;
}

// Escalating effort; the last level repeats until a factor turns up. Each
// level's tables are built on first use.
constexpr std::uint32_t kLevels[][3] = {
    {60, 6000, 6}, {125, 12500, 10}, {200, 20000, 16}, {350, 35000, 24},
    {700, 70000, 40},  // 12-13 digit factors
    {1000, 100000, 80}, {2000, 200000, 200}, {5000, 500000, 1},
};
constexpr std::size_t kLevelCount = sizeof kLevels / sizeof kLevels[0];

const EcmLevel& ecmLevel(std::size_t i) {
    static std::once_flag once[kLevelCount];
    static EcmLevel levels[kLevelCount];
    std::call_once(once[i], [i] { levels[i] = makeLevel(kLevels[i][0], kLevels[i][1], kLevels[i][2]); });
    return levels[i];
}

// One curve By^2 = x^3 + Ax^2 + x in Montgomery's x-only coordinates.
template <class M>
class Ecm {
public:
    using T = typename M::T;
    struct Pt {
        T x, z;
    };

    explicit Ecm(const M& m) : m_(m) {}

    // A proper factor found on the curve of parameter sigma, or 0.
    U128 run(std::uint64_t sigma, const EcmLevel& L) {
        // Suyama's parametrisation (group orders divisible by 12): start at
        // (u^3 : v^3) with (A + 2)/4 = (v - u)^3 (3u + v) / (16 u^3 v); one
        // inversion makes both the point and the constant affine.
        T s = m_.toMont(U128(sigma));
        T u = m_.sub(m_.sqr(s), m_.toMont(U128(5))), v = m_.mul(m_.toMont(U128(4)), s);
        T u3 = m_.mul(m_.sqr(u), u), v3 = m_.mul(m_.sqr(v), v);
        T vmu = m_.sub(v, u);
        T num = m_.mul(m_.mul(m_.sqr(vmu), vmu), m_.add(m_.add(m_.add(u, u), u), v));
        T den = m_.mul(m_.mul(u3, v), m_.toMont(U128(16)));
        T w;
        U128 g;
        if (!m_.invert(m_.mul(v3, den), w, g)) return g != m_.modulus() ? g : U128(0);
        x0_ = m_.mul(m_.mul(u3, den), w);
        a24_ = m_.mul(m_.mul(num, v3), w);

        Pt p = stage1(L);
        g = m_.gcdWith(p.z);
        if (g == m_.modulus()) return 0;
        if (g != U128(1)) return g;
        return stage2(p, L);
    }

private:
    Pt dbl(Pt p) const {
        T s = m_.sqr(m_.add(p.x, p.z)), d = m_.sqr(m_.sub(p.x, p.z));
        T t = m_.sub(s, d);  // 4xz
        return {m_.mul(s, d), m_.mul(t, m_.add(d, m_.mul(a24_, t)))};
    }
    // p + q, knowing p - q.
    Pt add(Pt p, Pt q, Pt diff) const {
        T u = m_.mul(m_.sub(p.x, p.z), m_.add(q.x, q.z));
        T v = m_.mul(m_.add(p.x, p.z), m_.sub(q.x, q.z));
        return {m_.mul(diff.z, m_.sqr(m_.add(u, v))), m_.mul(diff.x, m_.sqr(m_.sub(u, v)))};
    }
    // p + q when p - q is the affine start point.
    Pt addStart(Pt p, Pt q) const {
        T u = m_.mul(m_.sub(p.x, p.z), m_.add(q.x, q.z));
        T v = m_.mul(m_.add(p.x, p.z), m_.sub(q.x, q.z));
        return {m_.sqr(m_.add(u, v)), m_.mul(x0_, m_.sqr(m_.sub(u, v)))};
    }
    Pt stage1(const EcmLevel& L) const {
        Pt p{x0_, m_.one()};
        Pt r0 = p, r1 = dbl(p);
        for (int i = L.kBits - 2; i >= 0; --i) {
            if ((L.k[i / 64] >> (i % 64)) & 1) {
                r0 = addStart(r1, r0);
                r1 = dbl(r1);
            } else {
                r1 = addStart(r0, r1);
                r0 = dbl(r0);
            }
        }
        return r0;
    }
    // Montgomery ladder from any point: k*p, and (k+1)*p in `next`.
    Pt ladder(Pt p, std::uint64_t k, Pt& next) const {
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
        next = r1;
        return r0;
    }

    // Standard continuation: every prime q = m*d +- j in (b1, b2] is caught by
    // the factor x(m*d*Q) - x(j*Q) once all the points are made affine.
    U128 stage2(Pt q, const EcmLevel& L) {
        const std::size_t nb = L.babies.size(), total = nb + L.giants;
        pts_.resize(total);
        Pt q2 = dbl(q), prev = q, cur = add(q2, q, q);  // 1q, 3q
        std::size_t bi = 0;
        if (L.babies[0] == 1) pts_[bi++] = q;
        for (std::uint32_t j = 3; j < L.d / 2; j += 2) {
            if (bi < nb && L.babies[bi] == j) pts_[bi++] = cur;
            Pt nxt = add(cur, q2, prev);
            prev = cur;
            cur = nxt;
        }
        Pt unused;
        Pt giant = ladder(q, L.d, unused);
        Pt gNext;
        Pt g = ladder(giant, L.firstM, gNext);
        for (std::size_t i = 0; i < L.giants; ++i) {
            pts_[nb + i] = g;
            Pt gPrev = g;
            g = gNext;
            gNext = add(g, giant, gPrev);
        }
        // Batch inversion of every z (Montgomery's trick).
        prefix_.resize(total);
        T acc = m_.one();
        for (std::size_t i = 0; i < total; ++i) {
            prefix_[i] = acc;
            acc = m_.mul(acc, pts_[i].z);
        }
        T inv;
        U128 f;
        if (!m_.invert(acc, inv, f)) return f != m_.modulus() ? f : U128(0);
        for (std::size_t i = total; i-- > 0;) {
            T zinv = m_.mul(inv, prefix_[i]);
            inv = m_.mul(inv, pts_[i].z);
            pts_[i].x = m_.mul(pts_[i].x, zinv);
        }
        // Four products in turn: the multiplier's latency, not its
        // throughput, would otherwise bound this loop.
        T prod[4] = {m_.one(), m_.one(), m_.one(), m_.one()};
        std::uint32_t turn = 0;
        for (std::size_t i = 0; i < L.giants; ++i) {
            const T gx = pts_[nb + i].x;
            for (std::uint32_t k = L.pairStart[i]; k < L.pairStart[i + 1]; ++k, ++turn)
                prod[turn & 3] = m_.mul(prod[turn & 3], m_.sub(gx, pts_[L.pairBaby[k]].x));
        }
        f = m_.gcdWith(m_.mul(m_.mul(prod[0], prod[1]), m_.mul(prod[2], prod[3])));
        if (f == U128(1) || f == m_.modulus()) return 0;
        return f;
    }

    const M& m_;
    T x0_{}, a24_{};
    std::vector<Pt> pts_;
    std::vector<T> prefix_;
};

// One cheap curve at each lower level: the smallest factor is often far
// below the square root, and a small curve finds it at a fraction of the
// cost (a quarter off random 25-digit numbers).
template <class M>
U128 ecmCheap(const M& m, std::size_t firstLevel, std::uint64_t& sigma, const std::stop_token& stop) {
    Ecm<M> curve(m);
    for (std::size_t li = 0; li < firstLevel; ++li) {
        if (stop.stop_requested()) throw detail::Stopped{};
        if (U128 f = curve.run(sigma++, ecmLevel(li))) return f;
    }
    return 0;
}

template <class M>
U128 ecm(const M& m, std::size_t firstLevel, const std::stop_token& stop) {
    std::uint64_t sigma = 7;
    if (U128 f = ecmCheap(m, firstLevel, sigma, stop)) return f;
    Ecm<M> curve(m);
    for (std::size_t li = firstLevel;; li = std::min(li + 1, kLevelCount - 1)) {
        const EcmLevel& L = ecmLevel(li);
        for (std::uint32_t c = 0; c < L.curves; ++c) {
            if (stop.stop_requested()) throw detail::Stopped{};
            if (U128 f = curve.run(sigma++, L)) return f;
        }
    }
}

template <class M>
U128 split(const M& m, int bits, const std::stop_token& stop) {
    // Within one word rho takes the small factors cheaply; ECM the rest,
    // starting at the level that fits the largest the smallest factor can be
    // (measured: above one word rho only costs time).
    if (bits <= 64) {
        for (std::uint64_t c = 1; c <= 2; ++c) {
            if (U128 f = rhoBrent(m, c, 3000)) return f;
            if (stop.stop_requested()) throw detail::Stopped{};
        }
    }
    int half = (bits + 1) / 2;
    std::size_t level = half <= 30 ? 0 : half <= 33 ? 1 : half <= 36 ? 2 : half <= 38 ? 3 : half <= 44 ? 4 : 5;
    // Above one word the sieve beats ECM on balanced splits: its cost
    // depends on n alone, ECM's on the smallest factor. One cheap curve
    // first still takes the small factors of random numbers for far less.
    // A sieve that gives up (never seen) leaves the work to ECM.
    if (bits >= kSiqsMinBits && bits <= detail::kSiqsMaxBits) {
        std::uint64_t sigma = 7;
        if (U128 f = ecmCheap(m, std::min<std::size_t>(level, 1), sigma, stop)) return f;
        if (U128 f = detail::siqsFactor(U128(m.modulus()), stop)) return f;
    }
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
    if (n.hi >> 63) throw std::out_of_range("factorize: n must be below 2^127");
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
