#include "tools/number/nt/ecm.h"

#include <algorithm>
#include <bit>
#include <mutex>
#include <numeric>
#include <vector>

#include "tools/number/nt/smallprimes.h"
#include "tools/number/nt/stopped.h"

namespace kz::nt {

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

namespace {

// ---- Elliptic curve method, Montgomery curves, two stages --------------

struct EcmLevel {
    std::uint32_t b1, b2, curves;
    std::uint32_t d;               // giant step of stage 2, d/2 <= b1
    std::vector<std::uint64_t> k;  // stage 1 scalar, the product of p^e <= b1, low limb first
    int kBits = 0;
    std::vector<std::uint32_t> babies;     // j < d/2, gcd(j, d) = 1
    std::uint32_t firstM = 0, giants = 0;  // stage 2: m = firstM .. firstM + giants - 1
    std::vector<std::uint32_t> pairStart;  // per giant: its babies in pairBaby[pairStart[i] .. pairStart[i+1])
    std::vector<std::uint16_t> pairBaby;   // babies j with m*d +- j a prime in (b1, b2]
};

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
    L.k = {1};
    for (std::uint32_t p = 2; p <= b1; ++p) {
        if (!isSmallPrime(p)) continue;
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
            bool useLo = lo > b1 && lo <= b2 && isSmallPrime(lo);
            bool useHi = hi > b1 && hi <= b2 && isSmallPrime(hi);
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
    {60, 6000, 6},      {125, 12500, 10},    {200, 20000, 16},
    {350, 35000, 24},   {700, 70000, 40},  // 12-13 digit factors
    {1000, 100000, 80}, {2000, 200000, 200}, {5000, 500000, 1},
};
constexpr std::size_t kLevelCount = sizeof kLevels / sizeof kLevels[0];
static_assert(kLevelCount == kEcmLevels);
// Stage 2 tells primes apart with the shared sieve (b2 plus the largest giant step).
static_assert(kLevels[kLevelCount - 1][1] + 2310 < kSmallPrimeLimit);

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

}  // namespace

// One cheap curve at each lower level: the smallest factor is often far
// below the square root, and a small curve finds it at a fraction of the
// cost (a quarter off random 25-digit numbers).
template <class M>
U128 ecmCheap(const M& m, std::size_t firstLevel, std::uint64_t& sigma, const std::stop_token& stop) {
    Ecm<M> curve(m);
    for (std::size_t li = 0; li < firstLevel; ++li) {
        if (stop.stop_requested()) throw Stopped{};
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
            if (stop.stop_requested()) throw Stopped{};
            if (U128 f = curve.run(sigma++, L)) return f;
        }
    }
}

template U128 rhoBrent(const Mont64&, std::uint64_t, std::uint64_t);
template U128 rhoBrent(const Mont128&, std::uint64_t, std::uint64_t);
template U128 ecmCheap(const Mont64&, std::size_t, std::uint64_t&, const std::stop_token&);
template U128 ecmCheap(const Mont128&, std::size_t, std::uint64_t&, const std::stop_token&);
template U128 ecm(const Mont64&, std::size_t, const std::stop_token&);
template U128 ecm(const Mont128&, std::size_t, const std::stop_token&);

}  // namespace kz::nt
