#include "tools/number/primes.h"

#include <array>
#include <stdexcept>

#include "framework/numconv.h"
#include "tools/number/factorize.h"
#include "tools/number/montgomery.h"

namespace kz {

namespace {

// An odd prime with what a divisibility test by multiplication needs: x is a
// multiple of p exactly when x * p^-1 (mod 2^64) <= (2^64 - 1) / p. Wider
// numbers are first folded below 2^50 with the residues of 2^32, 2^64, 2^96.
struct SmallPrime {
    std::uint64_t inv;
    std::uint64_t lim;
    std::uint32_t p, c32, c64, c96;
};

struct PrimeTable {
    std::vector<std::uint32_t> odd;
    std::vector<SmallPrime> entries;
    PrimeTable() {
        const std::uint32_t limit = 65536;
        std::vector<bool> composite(limit, false);
        for (std::uint32_t i = 3; i < limit; i += 2) {
            if (composite[i]) continue;
            odd.push_back(i);
            for (std::uint64_t j = std::uint64_t{i} * i; j < limit; j += 2 * i) composite[j] = true;
        }
        for (std::uint32_t p : odd) {
            std::uint64_t inv = p;
            for (int k = 0; k < 5; ++k) inv *= 2 - p * inv;
            std::uint64_t c32 = (std::uint64_t{1} << 32) % p;
            std::uint64_t c64 = c32 * c32 % p;
            std::uint64_t c96 = c64 * c32 % p;
            entries.push_back({inv, ~std::uint64_t{0} / p, p, static_cast<std::uint32_t>(c32),
                               static_cast<std::uint32_t>(c64), static_cast<std::uint32_t>(c96)});
        }
    }
};

const PrimeTable& table() {
    static const PrimeTable t;
    return t;
}

inline bool divides(const SmallPrime& sp, U128 x) {
    std::uint64_t s = x.lo;
    if (x.hi) {
        s = (x.lo & 0xffffffffu) + (x.lo >> 32) * sp.c32 + (x.hi & 0xffffffffu) * sp.c64 + (x.hi >> 32) * sp.c96;
    }
    return s * sp.inv <= sp.lim;
}

inline U128 exactQuotient(const SmallPrime& sp, U128 x) {
    if (!x.hi) return U128(x.lo * sp.inv);
    U128 inv = sp.inv;
    inv = inv * (U128(2) - U128(sp.p) * inv);  // one Newton step: 64 -> 128 correct bits
    return x * inv;
}

constexpr std::array<std::uint32_t, 13> kBases = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41};

template <class M>
bool strongProbablePrime(const M& m, U128 d, int s, std::uint64_t a) {
    typename M::T x = powMont(m, m.toMont(U128(a)), d);
    if (x == m.one() || x == m.minusOne()) return true;
    for (int i = 1; i < s; ++i) {
        x = m.sqr(x);
        if (x == m.minusOne()) return true;
        if (x == m.one()) return false;
    }
    return false;
}

// Strong probable prime to the first `count` prime bases.
template <class M>
bool millerRabin(const M& m, U128 n, int count) {
    U128 n1 = n - U128(1);
    int s = trailingZeros(n1);
    U128 d = n1 >> s;
    for (int i = 0; i < count; ++i)
        if (!strongProbablePrime(m, d, s, kBases[i])) return false;
    return true;
}

// Smallest strong pseudoprimes to the first k prime bases (k = 12, 13):
// below them, the first k bases prove primality.
const U128& psi12() {
    static const U128 v = *parseDecimal("318665857834031151167461");
    return v;
}
const U128& psi13() {
    static const U128 v = *parseDecimal("3317044064679887385961981");
    return v;
}

U128 mulChecked(U128 a, U128 b, bool& overflow) {
    U128 hi, lo;
    mulFull(a, b, hi, lo);
    overflow = !hi.isZero();
    return lo;
}

// Pocklington with a partly factored n - 1 = F * U, every prime of U at
// least B (trial division bound). If for every prime q | F some a has
// a^(n-1) = 1 and gcd(a^((n-1)/q) - 1, n) = 1, and some a has
// gcd(a^F - 1, n) = 1, then each prime p | n has p - 1 divisible by F and by a
// prime of U, so p >= L = F*B + 1. L^2 > n proves n prime; when only L^3 > n,
// n could still be (xF+1)(yF+1) with x, y >= B, and the few candidates for
// x + y (congruent to U mod F, at most U/(FB) + B) are checked one by one.
bool pocklington(U128 n, const Mont128& m, const std::stop_token& stop) {
    constexpr std::uint32_t kB = 65536;
    constexpr std::uint64_t kMaxCandidates = 64;
    const U128 n1 = n - U128(1);

    std::vector<U128> found;
    detail::TrialResult td = detail::trialDivide(n1, kB, found);
    U128 F = 1, U = n1;
    std::vector<U128> qs;
    std::vector<U128> pending;
    auto addPrime = [&](U128 q) {
        while ((U % q).isZero()) {
            U = U / q;
            F = F * q;
        }
        qs.push_back(q);
        std::vector<U128> kept;
        for (U128 c : pending) {
            while ((c % q).isZero()) c = c / q;
            if (c > U128(1)) kept.push_back(c);
        }
        pending.swap(kept);
    };
    for (U128 q : found)
        if (qs.empty() || qs.back() != q) addPrime(q);
    if (td.rest > U128(1)) {
        if (td.complete) addPrime(td.rest);
        else pending.push_back(td.rest);
    }

    auto lowerBound = [&] { return F * U128(kB) + U128(1); };  // F < 2^127 / 2^16 here
    auto squareExceeds = [&](U128 L) {
        bool ov;
        U128 sq = mulChecked(L, L, ov);
        return ov || sq > n;
    };
    auto candidateCount = [&](U128 L) -> std::uint64_t {  // ~0 when the cube bound fails
        bool ov1, ov2;
        U128 sq = mulChecked(L, L, ov1);
        U128 cube = ov1 ? U128::max() : mulChecked(sq, L, ov2);
        if (!ov1 && !ov2 && cube <= n) return ~std::uint64_t{0};
        U128 smax = U / (F * U128(kB)) + U128(kB);
        U128 s0 = U % F;
        if (smax < s0) return 0;
        U128 c = (smax - s0) / F + U128(1);
        return c.hi ? ~std::uint64_t{0} : c.lo;
    };
    auto ready = [&] {
        if (U == U128(1)) return true;
        U128 L = lowerBound();
        return squareExceeds(L) || candidateCount(L) <= kMaxCandidates;
    };

    while (!ready()) {
        if (stop.stop_requested()) throw detail::Stopped{};
        U128 c = pending.back();
        pending.pop_back();
        if (detail::isPrime(c, stop)) {
            addPrime(c);
        } else {
            U128 d = detail::findFactor(c, stop);
            pending.push_back(d);
            pending.push_back(c / d);
        }
    }

    // The conditions on a. For a prime n each base fails with chance 1/q at
    // most, so a few consecutive bases always settle it.
    const U128 one = m.one();
    auto settle = [&](U128 exponent, U128 rest) -> int {  // 1 proven, -1 composite
        for (std::uint64_t a = 2; a < 100000; ++a) {
            U128 x = powMont(m, m.toMont(U128(a)), exponent);
            if (powMont(m, x, rest) != one) return -1;  // a^(n-1) != 1
            if (x == one) continue;
            U128 xv = m.fromMont(x);
            if (xv.isZero() || gcd(xv - U128(1), n) != U128(1)) return -1;
            return 1;
        }
        throw std::logic_error("primality certificate not settled");
    };
    for (U128 q : qs)
        if (settle(n1 / q, q) < 0) return false;
    if (U == U128(1)) return true;
    if (settle(F, U) < 0) return false;

    U128 L = lowerBound();
    if (squareExceeds(L)) return true;
    // n - 1 = F*U with n = (xF+1)(yF+1): U = xy*F + (x+y).
    U128 smax = U / (F * U128(kB)) + U128(kB);
    for (U128 s = U % F; s <= smax; s += F) {
        U128 t = (U - s) / F;
        bool ov;
        U128 s2 = mulChecked(s, s, ov);
        if (ov || s2 < (t << 2)) continue;
        U128 disc = s2 - (t << 2);
        U128 r = isqrt(disc);
        if (r * r != disc || r >= s || ((s - r).lo & 1)) continue;
        U128 x = (s + r) >> 1, y = (s - r) >> 1;
        U128 p1 = x * F + U128(1), p2 = y * F + U128(1);
        U128 prod = mulChecked(p1, p2, ov);
        if (!ov && prod == n) return false;
    }
    return true;
}

}  // namespace

namespace detail {

const std::vector<std::uint32_t>& oddPrimesBelow65536() { return table().odd; }

TrialResult trialDivide(U128 n, std::uint32_t limit, std::vector<U128>& factors) {
    if (n.isZero()) return {n, true};
    int tz = trailingZeros(n);
    for (int i = 0; i < tz; ++i) factors.push_back(U128(2));
    n >>= tz;
    for (const SmallPrime& sp : table().entries) {
        if (sp.p >= limit) break;
        if (mulWide(sp.p, sp.p) > n) return {n, true};
        while (divides(sp, n)) {
            n = exactQuotient(sp, n);
            factors.push_back(U128(sp.p));
        }
    }
    return {n, n < mulWide(limit, limit)};
}

bool isPrime(U128 n, const std::stop_token& stop) {
    if (n.fitsIn64()) return isPrime64(n.lo);
    if (n.hi >> 63) throw std::out_of_range("isPrime: n must be below 2^127");
    if (!n.isOdd()) return false;
    for (std::size_t i = 0; i < 24; ++i)
        if (divides(table().entries[i], n)) return false;
    Mont128 m(n);
    if (n < psi12()) return millerRabin(m, n, 12);
    if (n < psi13()) return millerRabin(m, n, 13);
    return millerRabin(m, n, 1) && pocklington(n, m, stop);
}

}  // namespace detail

bool isPrime64(std::uint64_t n) {
    if (n < 2) return false;
    for (std::uint32_t p : kBases) {
        if (n == p) return true;
        if (n % p == 0) return false;
    }
    if (n < 43 * 43) return true;
    // First-k-bases bounds: 3215031751 (4), 341550071728321 (7), 3825123056546413051 (9).
    int count = n < 3215031751ULL ? 4 : n < 341550071728321ULL ? 7 : n < 3825123056546413051ULL ? 9 : 12;
    return millerRabin(Mont64(n), U128(n), count);
}

bool isPrime(U128 n) { return detail::isPrime(n, std::stop_token{}); }

std::vector<std::int64_t> divisors(std::int64_t n) {
    std::vector<std::int64_t> low, high;
    if (n < 1) return low;
    auto scan = [&](auto m) {
        using V = decltype(m);
        for (V d = 1; d <= m / d; ++d) {
            if (m % d) continue;
            low.push_back(static_cast<std::int64_t>(d));
            if (d != m / d) high.push_back(static_cast<std::int64_t>(m / d));
        }
    };
    if (n <= 0xffffffffLL) scan(static_cast<std::uint32_t>(n));
    else scan(static_cast<std::uint64_t>(n));
    low.insert(low.end(), high.rbegin(), high.rend());
    return low;
}

std::string primeCompositeText(std::int64_t n) {
    if (n <= 1) return "不是质数也不是合数";
    std::vector<std::int64_t> ds = divisors(n);
    std::string text = ds.size() == 2 ? "是质数" : "是合数";
    text += ",它的因数有:1  ";
    for (std::size_t i = 1; i + 1 < ds.size(); ++i) text += numberToText(ds[i]) + "  ";
    return text + numberToText(n);
}

std::string primeCompositeTextOf(std::string_view boxText) {
    double v = leadingNumber(boxText);
    if (v <= 1) return primeCompositeText(0);
    return primeCompositeText(toInt32(v));
}

}  // namespace kz
