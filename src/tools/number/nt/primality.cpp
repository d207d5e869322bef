#include "tools/number/nt/primality.h"

#include <array>
#include <stdexcept>

#include "tools/number/nt/modular.h"
#include "tools/number/nt/montgomery.h"
#include "tools/number/nt/smallprimes.h"
#include "tools/number/nt/split.h"
#include "tools/number/nt/stopped.h"

namespace kz::nt {

namespace {

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

// Certificates from a partial factorization of n - 1 (Pocklington) or of
// n + 1 (Lucas): N = n -+ 1 = F * U with F fully factored and every prime of
// U at least kB (trial division bound).
//
// n - 1: if for every prime q | F some a has a^(n-1) = 1 and
// gcd(a^((n-1)/q) - 1, n) = 1, and some a has gcd(a^F - 1, n) = 1, then each
// prime p | n has p - 1 divisible by F and by a prime of U: p >= F*kB + 1.
// n + 1: with one Lucas sequence V(P, 1), (P^2 - 4 | n) = -1, V_(n+1) = 2,
// gcd(2 - V_((n+1)/q), n) = 1 for every q | F and gcd(2 - V_F, n) = 1,
// each prime p | n has p -+ 1 divisible by F and by a prime of U: p >= F*kB - 1.
// A bound L with L^2 > n proves n prime. When only L^3 > n, n could still
// be a product of two primes p = xF + e1, q = yF + e2, and the few
// candidates for x + y (or y - x) are checked one by one.
constexpr std::uint32_t kB = 32768;

// What the conditions of a certificate say of n.
enum class Verdict { Composite, Prime };
constexpr std::uint64_t kMaxCandidates = 64;

struct Pending {
    U128 c;
    bool composite;  // already known not to be prime
};

struct Side {
    int sign;  // -1: n - 1, +1: n + 1
    U128 N, F = 1, U;
    std::vector<U128> qs;
    std::vector<Pending> pending;

    void addPrime(U128 q) {
        while ((U % q).isZero()) {
            U = U / q;
            F = F * q;
        }
        qs.push_back(q);
        std::vector<Pending> kept;
        for (Pending p : pending) {
            bool divided = false;
            while ((p.c % q).isZero()) {
                p.c = p.c / q;
                divided = true;
            }
            if (divided) p.composite = false;
            if (p.c > U128(1)) kept.push_back(p);
        }
        pending.swap(kept);
    }
};

// The odd primes below kB dividing n - 1 and those dividing n + 1, in one
// pass: one residue of n - 1 per prime serves both (n > 2^64 here).
void smallPrimesAround(U128 n, std::vector<std::uint32_t>& minus, std::vector<std::uint32_t>& plus) {
    const U128 below = n - U128(1);
    for (const TrialPrime& sp : trialPrimes()) {
        if (sp.p >= kB) break;
        std::uint64_t r = fold(sp, below);
        if (r * sp.inv <= sp.lim) minus.push_back(sp.p);
        if ((r + 2) * sp.inv <= sp.lim) plus.push_back(sp.p);
    }
}

Side makeSide(U128 n, int sign, const std::vector<std::uint32_t>& small) {
    Side s;
    s.sign = sign;
    s.N = sign < 0 ? n - U128(1) : n + U128(1);
    s.U = s.N;
    s.addPrime(U128(2));
    for (std::uint32_t p : small) s.addPrime(U128(p));
    if (s.U > U128(1)) {
        if (s.U < mulWide(kB, kB)) s.addPrime(s.U);  // no prime below kB left: U is prime
        else s.pending.push_back({s.U, false});
    }
    return s;
}

U128 lowerBound(const Side& s) {  // F < 2^111 whenever U > 1
    U128 fb = s.F * U128(kB);
    return s.sign < 0 ? fb + U128(1) : fb - U128(1);
}

bool squareExceeds(U128 L, U128 n) {
    bool ov;
    U128 sq = mulChecked(L, L, ov);
    return ov || sq > n;
}

// Largest |x + y| (n - 1) or |y - x| (n + 1) the two-factor case allows.
U128 sumLimit(const Side& s) {
    return s.sign < 0 ? s.U / (s.F * U128(kB)) + U128(kB) : s.U / (s.F * U128(kB - 1)) + U128(1);
}

std::uint64_t candidateCount(const Side& s, U128 n) {
    const std::uint64_t many = ~std::uint64_t{0};
    U128 L = lowerBound(s);
    bool ov1, ov2 = false;
    U128 sq = mulChecked(L, L, ov1);
    U128 cube = ov1 ? U128::max() : mulChecked(sq, L, ov2);
    if (!ov1 && !ov2 && cube <= n) return many;
    U128 c = sumLimit(s) / s.F;
    if (c.hi || c.lo > (1u << 20)) return many;
    return s.sign < 0 ? c.lo + 1 : 2 * c.lo + 3;
}

bool ready(const Side& s, U128 n) {
    if (s.U == U128(1)) return true;
    return squareExceeds(lowerBound(s), n) || candidateCount(s, n) <= kMaxCandidates;
}

// Does n split as (xF + e1)(yF + e2) with U = xyF + e2*x + e1*y? Only the
// sign pattern that N = n -+ 1 allows can occur: e1 = e2 = 1 for n - 1,
// e1 = 1, e2 = -1 for n + 1.
bool splitsInTwo(const Side& s, U128 n) { return nt::splitsInTwo(n, s.F, s.sign); }

}  // namespace

bool splitsInTwo(U128 n, U128 F, int sign) {
    Side s;
    s.sign = sign;
    s.N = sign < 0 ? n - U128(1) : n + U128(1);
    s.F = F;
    s.U = s.N / F;
    const U128 U = s.U, smax = sumLimit(s);
    auto isProduct = [&](U128 x, U128 y, bool minusSecond) {
        bool ov;
        U128 a = x * F + U128(1), b = minusSecond ? y * F - U128(1) : y * F + U128(1);
        U128 prod = mulChecked(a, b, ov);
        return !ov && prod == n;
    };
    if (s.sign < 0) {  // s = x + y = U - tF, t = xy
        for (U128 sum = U % F; sum <= smax && sum <= U; sum += F) {
            U128 t = (U - sum) / F;
            bool ov;
            U128 s2 = mulChecked(sum, sum, ov);
            if (ov || s2 < (t << 2)) continue;
            U128 disc = s2 - (t << 2), r = isqrt(disc);
            if (r * r != disc || r >= sum || ((sum - r).lo & 1)) continue;
            if (isProduct((sum + r) >> 1, (sum - r) >> 1, false)) return true;
        }
        return false;
    }
    // d = y - x, U = tF + d: d runs over U mod F + kF, positive and negative.
    auto tryDiff = [&](U128 mag, bool negative) {
        U128 rest = negative ? U + mag : U - mag;
        if (!negative && mag > U) return false;
        U128 t = rest / F;
        if (t.isZero()) return false;
        bool ov;
        U128 d2 = mulChecked(mag, mag, ov);
        if (ov) return false;
        U128 disc = d2 + (t << 2), r = isqrt(disc);
        if (r * r != disc || r <= mag || ((r - mag).lo & 1)) return false;
        U128 x = negative ? (r + mag) >> 1 : (r - mag) >> 1;  // y - x = -+mag
        U128 y = negative ? (r - mag) >> 1 : (r + mag) >> 1;
        return isProduct(x, y, true);
    };
    U128 r0 = U % F;
    for (U128 d = r0; d <= smax; d += F)
        if (tryDiff(d, false)) return true;
    for (U128 d = F - r0; d <= smax && !r0.isZero(); d += F)
        if (tryDiff(d, true)) return true;
    return false;
}

namespace {

// Pocklington's conditions. With A = a^U, each
// a^((n-1)/q) is A^(F/q), an exponent of the size of F rather than of n.
Verdict settleMinus(const Side& s, U128 n, const Mont128& m) {
    const U128 one = m.one();
    std::vector<U128> open = s.qs;
    bool boundOpen = s.U != U128(1);
    for (std::uint64_t a = 2; a < 100000; ++a) {
        const U128 am = m.toMont(U128(a));
        const U128 A = powMont(m, am, s.U);
        if (powMont(m, A, s.F) != one) return Verdict::Composite;  // a^(n-1) != 1
        auto coprime = [&](U128 x) {
            U128 v = m.fromMont(x);
            return !v.isZero() && gcd(v - U128(1), n) == U128(1);
        };
        std::vector<U128> still;
        for (U128 q : open) {
            U128 x = powMont(m, A, s.F / q);
            if (x == one) still.push_back(q);
            else if (!coprime(x)) return Verdict::Composite;
        }
        open.swap(still);
        if (boundOpen) {
            U128 x = powMont(m, am, s.F);
            if (x != one) {
                if (!coprime(x)) return Verdict::Composite;
                boundOpen = false;
            }
        }
        if (open.empty() && !boundOpen) return Verdict::Prime;
    }
    // For a prime n each base fails a condition with chance 1/q at most.
    throw std::logic_error("primality certificate not settled");
}

// V_k of the Lucas sequence V_0 = 2, V_1 = p, V_(i+1) = p V_i - V_(i-1).
U128 lucasV(const Mont128& m, U128 p, U128 k) {
    const U128 two = m.add(m.one(), m.one());
    U128 v0 = two, v1 = p;
    for (int i = bitLength(k) - 1; i >= 0; --i) {
        if (((k >> i) & U128(1)) == U128(1)) {
            v0 = m.sub(m.mul(v0, v1), p);
            v1 = m.sub(m.sqr(v1), two);
        } else {
            v1 = m.sub(m.mul(v0, v1), p);
            v0 = m.sub(m.sqr(v0), two);
        }
    }
    return v0;
}

// The Lucas conditions with one sequence. With
// alpha = (P + sqrt(P^2 - 4)) / 2 of norm 1, the norm of alpha^k - 1 is
// 2 - V_k: gcd(2 - V_k, n) = 1 says alpha^k != 1 modulo every prime of n,
// whose order of alpha divides p - (P^2 - 4 | p). V_(jk) = V_j(V_k), so
// W = V_U serves every q as for Pocklington.
Verdict settlePlus(const Side& s, U128 n, const Mont128& m) {
    const U128 two = m.add(m.one(), m.one());
    for (std::uint64_t p = 3; p < 100000; ++p) {
        int j = jacobi(U128(p * p - 4), n);
        if (j == 0) return Verdict::Composite;  // shares a factor with p^2 - 4 (n is far larger)
        if (j == 1) continue;                   // a prime n needs (P^2 - 4 | n) = -1 for V_(n+1) = 2
        const U128 pm = m.toMont(U128(p));
        const U128 W = lucasV(m, pm, s.U);
        if (lucasV(m, W, s.F) != two) return Verdict::Composite;  // V_(n+1) != 2
        bool retry = false;
        auto check = [&](U128 v) {
            if (v == two) retry = true;
            return v == two || gcd(m.fromMont(m.sub(two, v)), n) == U128(1);
        };
        for (U128 q : s.qs)
            if (!check(lucasV(m, W, s.F / q))) return Verdict::Composite;
        if (s.U != U128(1) && !check(lucasV(m, pm, s.F))) return Verdict::Composite;
        if (!retry) return Verdict::Prime;
    }
    throw std::logic_error("primality certificate not settled");
}

bool certify(U128 n, const Side& s, const Mont128& m) {
    if ((s.sign < 0 ? settleMinus(s, n, m) : settlePlus(s, n, m)) == Verdict::Composite) return false;
    if (s.U == U128(1) || squareExceeds(lowerBound(s), n)) return true;
    return !splitsInTwo(s, n);
}

// Works on whichever of n - 1 and n + 1 gets ready first: prime cofactors
// are cheap to recognise, splitting a composite one is the costly step.
bool provePrime(U128 n, const Mont128& m, const std::stop_token& stop) {
    std::vector<std::uint32_t> minus, plus;
    smallPrimesAround(n, minus, plus);
    Side sides[2] = {makeSide(n, -1, minus), Side{}};
    int made = 1;
    auto testSingle = [&](Side& s) {
        if (s.pending.size() == 1 && !s.pending[0].composite) {
            U128 c = s.pending[0].c;
            if (nt::isPrime(c, stop)) s.addPrime(c);
            else s.pending[0].composite = true;
        }
    };
    testSingle(sides[0]);
    for (;;) {
        if (stop.stop_requested()) throw Stopped{};
        for (int i = 0; i < made; ++i)
            if (ready(sides[i], n)) return certify(n, sides[i], m);
        if (made == 1) {
            sides[1] = makeSide(n, +1, plus);
            made = 2;
            testSingle(sides[1]);
            continue;
        }
        // Split the smallest composite cofactor of either side.
        Side* best = nullptr;
        std::size_t bestIndex = 0;
        for (Side& s : sides)
            for (std::size_t k = 0; k < s.pending.size(); ++k)
                if (!best || s.pending[k].c < best->pending[bestIndex].c) {
                    best = &s;
                    bestIndex = k;
                }
        if (!best) throw std::logic_error("certificate: unfactored part without cofactors");
        Pending p = best->pending[bestIndex];
        best->pending.erase(best->pending.begin() + static_cast<std::ptrdiff_t>(bestIndex));
        if (!p.composite && nt::isPrime(p.c, stop)) {
            best->addPrime(p.c);
        } else {
            U128 d = findFactor(p.c, stop);
            best->pending.push_back({d, false});
            best->pending.push_back({p.c / d, false});
        }
    }
}

}  // namespace

bool isPrime(U128 n, const std::stop_token& stop) {
    if (n.fitsIn64()) return isPrime64(n.lo);
    if (n.hi >> 63) throw std::out_of_range("isPrime: n must be below 2^127");
    if (!n.isOdd()) return false;
    for (std::size_t i = 0; i < 24; ++i)
        if (divides(trialPrimes()[i], n)) return false;
    Mont128 m(n);
    if (n < psi12()) return millerRabin(m, n, 12);
    if (n < psi13()) return millerRabin(m, n, 13);
    return millerRabin(m, n, 1) && provePrime(n, m, stop);
}

}  // namespace kz::nt

namespace kz {

using nt::kBases;
using nt::millerRabin;

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

bool isPrime(U128 n) { return nt::isPrime(n, std::stop_token{}); }

}  // namespace kz
