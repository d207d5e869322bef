// Modular arithmetic on machine words and on U128 that needs no Montgomery
// form: inverses modulo 2^64 / 2^128 and modulo n, the Jacobi symbol, powers
// and square roots modulo a small prime.
#pragma once

#include <bit>
#include <cstdint>
#include <utility>

#include "tools/number/nt/uint128.h"

namespace kz::nt {

// x^-1 modulo 2^64 for odd x by Newton steps: x is its own inverse to 3 bits,
// and each step doubles the correct bits (3 -> 96 in five).
constexpr std::uint64_t inverse64(std::uint64_t odd) {
    std::uint64_t inv = odd;
    for (int i = 0; i < 5; ++i) inv *= 2 - odd * inv;
    return inv;
}

// x^-1 modulo 2^128 for odd x, from its inverse modulo 2^64: one more step.
constexpr U128 inverse128(U128 odd, std::uint64_t inv64) {
    U128 inv = inv64;
    return inv * (U128(2) - odd * inv);
}
constexpr U128 inverse128(U128 odd) { return inverse128(odd, inverse64(odd.lo)); }

// Inverse of a modulo n by the extended Euclidean algorithm, tracking the
// magnitudes of the alternating-sign coefficients (they never exceed n).
// Returns false, with the gcd in g, when a is not invertible.
template <class I>
bool inverseMod(I a, I n, I& inv, I& g) {
    I r0 = n, r1 = a % n, s0 = 0, s1 = 1;
    int k = 1;
    while (r1 != I(0)) {
        // Most quotients are 1 or 2; a wide division costs far more.
        I q, r2 = r0 - r1;
        if (r2 < r1) {
            q = 1;
        } else if ((r2 -= r1) < r1) {
            q = 2;
        } else {
            q = r0 / r1;
            r2 = r0 - q * r1;
        }
        I s2 = s0 + q * s1;
        r0 = r1;
        r1 = r2;
        s0 = s1;
        s1 = s2;
        ++k;
    }
    g = r0;
    if (g != I(1)) return false;
    inv = (k % 2 == 0) ? s0 : n - s0;
    return true;
}

// Inverse of a modulo the prime p; a must not be a multiple of p.
inline std::uint32_t inverseModPrime(std::uint32_t a, std::uint32_t p) {
    std::uint32_t inv = 0, g = 0;
    inverseMod<std::uint32_t>(a, p, inv, g);
    return inv;
}

namespace jacobi_detail {
inline std::uint64_t lowWord(std::uint64_t v) { return v; }
inline std::uint64_t lowWord(const U128& v) { return v.lo; }
inline unsigned lowZeros(std::uint64_t v) { return static_cast<unsigned>(std::countr_zero(v)); }
inline unsigned lowZeros(const U128& v) { return static_cast<unsigned>(trailingZeros(v)); }
}  // namespace jacobi_detail

// The Jacobi symbol (a | m) for odd m > 0, by reciprocity: no modular powers.
template <class I>
int jacobi(I a, I m) {
    using jacobi_detail::lowWord;
    using jacobi_detail::lowZeros;
    int t = 1;
    a = a % m;
    while (a != I(0)) {
        const unsigned z = lowZeros(a);
        a = a >> z;
        const std::uint64_t m8 = lowWord(m) & 7;
        if ((z & 1) && (m8 == 3 || m8 == 5)) t = -t;
        if ((lowWord(a) & 3) == 3 && (m8 & 3) == 3) t = -t;
        std::swap(a, m);
        a = a % m;
    }
    return m == I(1) ? t : 0;
}

// b^e modulo p < 2^32.
inline std::uint32_t powMod(std::uint64_t b, std::uint32_t e, std::uint32_t p) {
    std::uint64_t r = 1;
    b %= p;
    while (e) {
        if (e & 1) r = r * b % p;
        b = b * b % p;
        e >>= 1;
    }
    return static_cast<std::uint32_t>(r);
}

// A square root of the quadratic residue a modulo the odd prime p (Tonelli-Shanks).
inline std::uint32_t sqrtMod(std::uint32_t a, std::uint32_t p) {
    a %= p;
    if (a == 0) return 0;
    if (p % 4 == 3) return powMod(a, (p + 1) / 4, p);
    std::uint32_t q = p - 1, s = 0;
    while (q % 2 == 0) q /= 2, ++s;
    std::uint32_t z = 2;
    while (jacobi(z, p) != -1) ++z;  // a non-residue, without modular powers
    std::uint64_t c = powMod(z, q, p), r = powMod(a, (q + 1) / 2, p), t = powMod(a, q, p);
    std::uint32_t m = s;
    while (t != 1) {
        std::uint32_t i = 0;
        for (std::uint64_t tt = t; tt != 1; tt = tt * tt % p) ++i;
        std::uint64_t b = c;
        for (std::uint32_t j = 0; j + i + 1 < m; ++j) b = b * b % p;
        m = i;
        c = b * b % p;
        t = t * c % p;
        r = r * b % p;
    }
    return static_cast<std::uint32_t>(r);
}

}  // namespace kz::nt
