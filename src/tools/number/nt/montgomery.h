// Montgomery arithmetic modulo an odd number, on one 64-bit word or on a
// 128-bit value. Residues are kept multiplied by R (2^64 or 2^128), which
// turns every modular product into multiplications and no division.
#pragma once

#include <cstdint>

#include "tools/number/nt/modular.h"
#include "tools/number/nt/uint128.h"

#if defined(__GNUC__) || defined(__clang__)
#define KZ_HOT_INLINE __attribute__((always_inline)) inline
#else
#define KZ_HOT_INLINE inline
#endif

namespace kz {

// Modulus: any odd n > 1 below 2^64.
class Mont64 {
public:
    using T = std::uint64_t;

    explicit Mont64(std::uint64_t n) : n_(n) {
        ninv_ = nt::inverse64(n);
        one_ = modSmall(U128::fromParts(1, 0), n);
        r2_ = modSmall(mulWide(one_, one_), n);
        r3_ = mul(r2_, r2_);
    }

    std::uint64_t modulus() const { return n_; }
    T one() const { return one_; }
    T minusOne() const { return n_ - one_; }

    KZ_HOT_INLINE T mul(T a, T b) const {
        U128 t = mulWide(a, b);
        std::uint64_t m = t.lo * ninv_;
        std::uint64_t mh = mulWide(m, n_).hi;
        std::uint64_t r = t.hi - mh;
        return t.hi < mh ? r + n_ : r;
    }
    KZ_HOT_INLINE T sqr(T a) const { return mul(a, a); }
    KZ_HOT_INLINE T add(T a, T b) const {
        std::uint64_t s = a + b;
        return (s < a || s >= n_) ? s - n_ : s;
    }
    KZ_HOT_INLINE T sub(T a, T b) const { return a >= b ? a - b : a - b + n_; }

    T toMont(U128 x) const { return mul(modSmall(x, n_), r2_); }
    U128 fromMont(T a) const { return U128(mul(a, 1)); }
    // gcd with the modulus; the factor R is a unit, so the residue may stay in Montgomery form.
    U128 gcdWith(T a) const { return gcd(U128(a), U128(n_)); }
    // Inverse of a residue, or false with the gcd of it and the modulus.
    bool invert(T a, T& out, U128& g) const {
        std::uint64_t inv, g64;
        if (!nt::inverseMod<std::uint64_t>(a, n_, inv, g64)) {
            g = g64;
            return false;
        }
        out = mul(inv, r3_);  // (aR)^-1 * R^3 / R = a^-1 R
        return true;
    }

private:
    std::uint64_t n_, ninv_, one_, r2_, r3_;
};

// Modulus: any odd n > 1 below 2^127.
class Mont128 {
public:
    using T = U128;

    explicit Mont128(U128 n) : n_(n) {
        ninv_ = nt::inverse128(n);
        nprime_ = 0 - ninv_.lo;
        one_ = (U128(0) - n) % n;  // 2^128 mod n
        // R^2 mod n by doubling R mod n 128 times.
        U128 r = one_;
        for (int i = 0; i < 128; ++i) {
            r = r + r;
            if (r >= n) r -= n;
        }
        r2_ = r;
        r3_ = mul(r2_, r2_);
    }

    U128 modulus() const { return n_; }
    T one() const { return one_; }
    T minusOne() const { return n_ - one_; }

    KZ_HOT_INLINE T mul(T a, T b) const {
        U128 p00 = mulWide(a.lo, b.lo), p01 = mulWide(a.lo, b.hi);
        U128 p10 = mulWide(a.hi, b.lo), p11 = mulWide(a.hi, b.hi);
        U128 mid = U128(p00.hi) + U128(p01.lo) + U128(p10.lo);
        U128 high = p11 + U128(p01.hi) + U128(p10.hi) + U128(mid.hi);
        return reduce(p00.lo, mid.lo, high.lo, high.hi);
    }
    KZ_HOT_INLINE T sqr(T a) const {
        U128 p00 = mulWide(a.lo, a.lo), p01 = mulWide(a.lo, a.hi), p11 = mulWide(a.hi, a.hi);
        // a^2 = p00 + 2*p01*2^64 + p11*2^128
        U128 twice = p01 << 1;
        std::uint64_t top = p01.hi >> 63;
        U128 mid = U128(p00.hi) + U128(twice.lo);
        U128 high = p11 + U128(twice.hi) + U128(mid.hi) + U128::fromParts(top, 0);
        return reduce(p00.lo, mid.lo, high.lo, high.hi);
    }
    KZ_HOT_INLINE T add(T a, T b) const {
        U128 s = a + b;
        return s >= n_ ? s - n_ : s;
    }
    KZ_HOT_INLINE T sub(T a, T b) const { return a >= b ? a - b : a - b + n_; }

    T toMont(U128 x) const { return mul(x % n_, r2_); }
    U128 fromMont(T a) const { return mul(a, U128(1)); }
    U128 gcdWith(T a) const { return gcd(a, n_); }
    bool invert(T a, T& out, U128& g) const {
        U128 inv;
        if (!nt::inverseMod<U128>(a, n_, inv, g)) return false;
        out = mul(inv, r3_);
        return true;
    }

private:
    // Word-by-word Montgomery reduction of t0 + t1 2^64 + t2 2^128 + t3 2^192
    // (< n^2): two steps of adding u*n to clear the low words.
    KZ_HOT_INLINE T reduce(std::uint64_t t0, std::uint64_t t1, std::uint64_t t2, std::uint64_t t3) const {
        std::uint64_t u = t0 * nprime_;
        U128 p = mulWide(u, n_.lo) + U128(t0);
        p = mulWide(u, n_.hi) + U128(t1) + U128(p.hi);
        t1 = p.lo;
        U128 c = U128(t2) + U128(p.hi);
        t2 = c.lo;
        t3 += c.hi;
        u = t1 * nprime_;
        p = mulWide(u, n_.lo) + U128(t1);
        p = mulWide(u, n_.hi) + U128(t2) + U128(p.hi);
        U128 r = U128::fromParts(t3, 0) + U128(p.lo) + U128::fromParts(p.hi, 0);
        return r >= n_ ? r - n_ : r;
    }

    U128 n_, ninv_, one_, r2_, r3_;
    std::uint64_t nprime_;  // -n^-1 mod 2^64
};

// base^e in Montgomery form, left to right.
template <class M>
typename M::T powMont(const M& m, typename M::T base, U128 e) {
    typename M::T r = m.one();
    for (int i = bitLength(e) - 1; i >= 0; --i) {
        r = m.sqr(r);
        bool bit = i >= 64 ? (e.hi >> (i - 64)) & 1 : (e.lo >> i) & 1;
        if (bit) r = m.mul(r, base);
    }
    return r;
}

}  // namespace kz
