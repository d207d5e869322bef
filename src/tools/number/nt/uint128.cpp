#include "tools/number/nt/uint128.h"

#include <bit>
#include <cmath>

namespace kz {

int bitLength(U128 v) {
    if (v.hi) return 128 - std::countl_zero(v.hi);
    return 64 - std::countl_zero(v.lo);
}

int trailingZeros(U128 v) {
    if (v.lo) return std::countr_zero(v.lo);
    if (v.hi) return 64 + std::countr_zero(v.hi);
    return 128;
}

void divMod(U128 a, U128 b, U128& quotient, U128& remainder) {
#ifdef KZ_HAVE_INT128
    unsigned __int128 x = (static_cast<unsigned __int128>(a.hi) << 64) | a.lo;
    unsigned __int128 y = (static_cast<unsigned __int128>(b.hi) << 64) | b.lo;
    unsigned __int128 q = x / y, r = x % y;
    quotient = U128::fromParts(static_cast<std::uint64_t>(q >> 64), static_cast<std::uint64_t>(q));
    remainder = U128::fromParts(static_cast<std::uint64_t>(r >> 64), static_cast<std::uint64_t>(r));
#else
    quotient = 0;
    if (a < b) {
        remainder = a;
        return;
    }
    int shift = bitLength(a) - bitLength(b);
    U128 d = b << shift;
    for (; shift >= 0; --shift, d >>= 1) {
        quotient <<= 1;
        if (a >= d) {
            a -= d;
            quotient.lo |= 1;
        }
    }
    remainder = a;
#endif
}

std::uint64_t modSmall(U128 a, std::uint64_t m) {
#ifdef KZ_HAVE_INT128
    unsigned __int128 x = (static_cast<unsigned __int128>(a.hi) << 64) | a.lo;
    return static_cast<std::uint64_t>(x % m);
#else
    return (a % U128(m)).lo;
#endif
}

U128 gcd(U128 a, U128 b) {
    if (a.isZero()) return b;
    if (b.isZero()) return a;
    int shift = trailingZeros(a | b);
    a >>= trailingZeros(a);
    do {
        b >>= trailingZeros(b);
        if (a > b) std::swap(a, b);
        b -= a;
    } while (!b.isZero());
    return a << shift;
}

U128 isqrt(U128 v) {
    if (v < U128(2)) return v;
    // Newton from above: start at a power of two not below the root.
    U128 x = U128(1) << ((bitLength(v) + 1) / 2);
    for (;;) {
        U128 y = (x + v / x) >> 1;
        if (y >= x) return x;
        x = y;
    }
}

namespace {

// r^k, or nullopt when it exceeds 128 bits.
std::optional<U128> checkedPower(U128 r, int k) {
    U128 p = 1;
    for (int i = 0; i < k; ++i) {
        U128 hi, lo;
        mulFull(p, r, hi, lo);
        if (!hi.isZero()) return std::nullopt;
        p = lo;
    }
    return p;
}

}  // namespace

std::optional<U128> exactRoot(U128 v, int k) {
    if (k == 2) {
        U128 r = isqrt(v);
        if (r * r == v) return r;
        return std::nullopt;
    }
    // For k >= 3 the root has at most 43 bits, well inside a double's precision.
    double est = std::round(std::pow(toDouble(v), 1.0 / k));
    std::uint64_t base = est < 2 ? 0 : static_cast<std::uint64_t>(est) - 1;
    for (std::uint64_t r = base; r <= base + 2; ++r) {
        auto p = checkedPower(U128(r), k);
        if (p && *p == v) return U128(r);
    }
    return std::nullopt;
}

double toDouble(U128 v) { return std::ldexp(static_cast<double>(v.hi), 64) + static_cast<double>(v.lo); }

std::string toDecimal(U128 v) {
    if (v.isZero()) return "0";
    const U128 chunk = 10000000000000000000ULL;  // 10^19
    std::string out;
    while (!v.isZero()) {
        U128 q, r;
        divMod(v, chunk, q, r);
        std::uint64_t part = r.lo;
        for (int i = 0; i < 19 && (part || !q.isZero()); ++i) {
            out.push_back(static_cast<char>('0' + part % 10));
            part /= 10;
        }
        v = q;
    }
    return std::string(out.rbegin(), out.rend());
}

std::optional<U128> parseDecimal(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    U128 v = 0;
    const U128 limit = U128::max() / U128(10);
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        if (v > limit) return std::nullopt;
        U128 next = v * U128(10) + U128(static_cast<std::uint64_t>(c - '0'));
        if (next < v * U128(10)) return std::nullopt;
        v = next;
    }
    return v;
}

}  // namespace kz
