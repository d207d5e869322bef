// Unsigned 128-bit integer for exact whole-number work (factorization of
// 25-digit numbers). Held as two 64-bit halves; only the 64x64->128 product
// and the division use the compiler's __int128 when it has one, so a compiler
// without it still builds (define KZ_NO_INT128 to force that path).
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#if defined(__SIZEOF_INT128__) && !defined(KZ_NO_INT128)
#define KZ_HAVE_INT128 1
#endif

namespace kz {

struct U128 {
    std::uint64_t hi = 0;  // declared first: the defaulted <=> compares hi, then lo
    std::uint64_t lo = 0;

    constexpr U128() = default;
    constexpr U128(std::uint64_t v) : hi(0), lo(v) {}  // NOLINT: implicit by design
    static constexpr U128 fromParts(std::uint64_t h, std::uint64_t l) {
        U128 r;
        r.hi = h;
        r.lo = l;
        return r;
    }
    static constexpr U128 max() { return fromParts(~0ULL, ~0ULL); }

    constexpr bool fitsIn64() const { return hi == 0; }
    constexpr bool isOdd() const { return (lo & 1) != 0; }
    constexpr bool isZero() const { return (hi | lo) == 0; }
    constexpr explicit operator bool() const { return !isZero(); }

#ifdef KZ_HAVE_INT128
    // The native type gives the compiler its carry chains and flag compares.
    using Native = unsigned __int128;
    constexpr Native native() const { return (static_cast<Native>(hi) << 64) | lo; }
    static constexpr U128 of(Native v) {
        return fromParts(static_cast<std::uint64_t>(v >> 64), static_cast<std::uint64_t>(v));
    }
    friend constexpr bool operator==(const U128& a, const U128& b) { return ((a.hi ^ b.hi) | (a.lo ^ b.lo)) == 0; }
    friend constexpr std::strong_ordering operator<=>(const U128& a, const U128& b) {
        return a.native() <=> b.native();
    }
    friend constexpr bool operator<(const U128& a, const U128& b) { return a.native() < b.native(); }
    friend constexpr bool operator>(const U128& a, const U128& b) { return a.native() > b.native(); }
    friend constexpr bool operator<=(const U128& a, const U128& b) { return a.native() <= b.native(); }
    friend constexpr bool operator>=(const U128& a, const U128& b) { return a.native() >= b.native(); }
    friend constexpr U128 operator+(U128 a, U128 b) { return of(a.native() + b.native()); }
    friend constexpr U128 operator-(U128 a, U128 b) { return of(a.native() - b.native()); }
#else
    friend constexpr bool operator==(const U128&, const U128&) = default;
    // NOLINTNEXTLINE(modernize-use-nullptr): the check takes the defaulted comparison's 0 for a pointer.
    friend constexpr std::strong_ordering operator<=>(const U128&, const U128&) = default;

    friend constexpr U128 operator+(U128 a, U128 b) {
        U128 r;
        r.lo = a.lo + b.lo;
        r.hi = a.hi + b.hi + (r.lo < a.lo);
        return r;
    }
    friend constexpr U128 operator-(U128 a, U128 b) {
        U128 r;
        r.lo = a.lo - b.lo;
        r.hi = a.hi - b.hi - (a.lo < b.lo);
        return r;
    }
#endif
    friend constexpr U128 operator&(U128 a, U128 b) { return fromParts(a.hi & b.hi, a.lo & b.lo); }
    friend constexpr U128 operator|(U128 a, U128 b) { return fromParts(a.hi | b.hi, a.lo | b.lo); }
    friend constexpr U128 operator<<(U128 a, unsigned s) {
        if (s == 0) return a;
        if (s >= 128) return U128{};
        if (s >= 64) return fromParts(a.lo << (s - 64), 0);
        return fromParts((a.hi << s) | (a.lo >> (64 - s)), a.lo << s);
    }
    friend constexpr U128 operator>>(U128 a, unsigned s) {
        if (s == 0) return a;
        if (s >= 128) return U128{};
        if (s >= 64) return U128(a.hi >> (s - 64));
        return fromParts(a.hi >> s, (a.lo >> s) | (a.hi << (64 - s)));
    }
    U128& operator+=(U128 b) { return *this = *this + b; }
    U128& operator-=(U128 b) { return *this = *this - b; }
    U128& operator<<=(unsigned s) { return *this = *this << s; }
    U128& operator>>=(unsigned s) { return *this = *this >> s; }
};

// Full 64x64 -> 128-bit product.
inline constexpr U128 mulWide(std::uint64_t a, std::uint64_t b) {
#ifdef KZ_HAVE_INT128
    unsigned __int128 p = static_cast<unsigned __int128>(a) * b;
    return U128::fromParts(static_cast<std::uint64_t>(p >> 64), static_cast<std::uint64_t>(p));
#else
    std::uint64_t a0 = a & 0xffffffffu, a1 = a >> 32, b0 = b & 0xffffffffu, b1 = b >> 32;
    std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    std::uint64_t mid = (p00 >> 32) + (p01 & 0xffffffffu) + (p10 & 0xffffffffu);
    return U128::fromParts(p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | (p00 & 0xffffffffu));
#endif
}

// Product modulo 2^128.
inline constexpr U128 operator*(U128 a, U128 b) {
    U128 r = mulWide(a.lo, b.lo);
    r.hi += a.lo * b.hi + a.hi * b.lo;
    return r;
}
inline U128& operator*=(U128& a, U128 b) { return a = a * b; }

// Full 128x128 -> 256-bit product as (high, low).
inline constexpr void mulFull(U128 a, U128 b, U128& high, U128& low) {
    U128 p00 = mulWide(a.lo, b.lo), p01 = mulWide(a.lo, b.hi);
    U128 p10 = mulWide(a.hi, b.lo), p11 = mulWide(a.hi, b.hi);
    U128 mid = U128(p00.hi) + U128(p01.lo) + U128(p10.lo);  // < 3 * 2^64
    low = U128::fromParts(mid.lo, p00.lo);
    high = p11 + U128(p01.hi) + U128(p10.hi) + U128(mid.hi);
}

int bitLength(U128 v);                                         // 0 for 0
int trailingZeros(U128 v);                                     // 128 for 0
void divMod(U128 a, U128 b, U128& quotient, U128& remainder);  // b != 0
inline U128 operator/(U128 a, U128 b) {
    U128 q, r;
    divMod(a, b, q, r);
    return q;
}
inline U128 operator%(U128 a, U128 b) {
    U128 q, r;
    divMod(a, b, q, r);
    return r;
}
std::uint64_t modSmall(U128 a, std::uint64_t m);  // m != 0

U128 gcd(U128 a, U128 b);
U128 isqrt(U128 v);                            // floor of the square root
std::optional<U128> exactRoot(U128 v, int k);  // r with r^k == v, if any (k >= 2)
double toDouble(U128 v);

std::string toDecimal(U128 v);
// Exact reading of a run of decimal digits; nullopt when empty, when a
// character is not a digit, or when the value does not fit 128 bits.
std::optional<U128> parseDecimal(std::string_view digits);

}  // namespace kz
