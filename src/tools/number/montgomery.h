// Montgomery arithmetic modulo an odd number, on one 64-bit word or on a
// 128-bit value. Residues are kept multiplied by R (2^64 or 2^128), which
// turns every modular product into multiplications and no division.
#pragma once

#include <cstdint>

#include "tools/number/uint128.h"

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
        std::uint64_t inv = n;  // correct to 3 bits for odd n
        for (int i = 0; i < 5; ++i) inv *= 2 - n * inv;
        ninv_ = inv;
        one_ = modSmall(U128::fromParts(1, 0), n);
        r2_ = modSmall(mulWide(one_, one_), n);
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

private:
    std::uint64_t n_, ninv_, one_, r2_;
};

// Modulus: any odd n > 1 below 2^127.
class Mont128 {
public:
    using T = U128;

    explicit Mont128(U128 n) : n_(n) {
        U128 inv = n;
        for (int i = 0; i < 6; ++i) inv = inv * (U128(2) - n * inv);
        ninv_ = inv;
        one_ = (U128(0) - n) % n;  // 2^128 mod n
        // R^2 mod n by doubling R mod n 128 times.
        U128 r = one_;
        for (int i = 0; i < 128; ++i) {
            r = r + r;
            if (r >= n) r -= n;
        }
        r2_ = r;
    }

    U128 modulus() const { return n_; }
    T one() const { return one_; }
    T minusOne() const { return n_ - one_; }

    KZ_HOT_INLINE T mul(T a, T b) const {
        U128 th, tl, mh, ml;
        mulFull(a, b, th, tl);
        U128 m = tl * ninv_;
        mulFull(m, n_, mh, ml);
        U128 r = th - mh;
        return th < mh ? r + n_ : r;
    }
    KZ_HOT_INLINE T sqr(T a) const { return mul(a, a); }
    KZ_HOT_INLINE T add(T a, T b) const {
        U128 s = a + b;
        return s >= n_ ? s - n_ : s;
    }
    KZ_HOT_INLINE T sub(T a, T b) const { return a >= b ? a - b : a - b + n_; }

    T toMont(U128 x) const { return mul(x % n_, r2_); }
    U128 fromMont(T a) const { return mul(a, U128(1)); }
    U128 gcdWith(T a) const { return gcd(a, n_); }

private:
    U128 n_, ninv_, one_, r2_;
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
