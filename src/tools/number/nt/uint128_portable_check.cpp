// Checks the two-halves arithmetic of U128 and the Montgomery classes, built
// as if the compiler had no 128-bit integer, against the compiler's own.
#define KZ_NO_INT128 1
#include <cstdio>
#include <random>

#include "tools/number/nt/montgomery.h"
#include "tools/number/nt/uint128.h"

#ifndef __SIZEOF_INT128__
int main() { return 0; }  // nothing to compare against
#else
using Native = unsigned __int128;
using kz::U128;

#ifdef NDEBUG
constexpr int kRounds = 200000;
#else
constexpr int kRounds = 10000;  // Debug and sanitizer builds
#endif

static Native nat(U128 v) { return (static_cast<Native>(v.hi) << 64) | v.lo; }
static U128 mk(Native v) { return U128::fromParts(static_cast<std::uint64_t>(v >> 64), static_cast<std::uint64_t>(v)); }

int main() {
#ifdef KZ_HAVE_INT128
    std::puts("KZ_NO_INT128 did not take effect");
    return 1;
#endif
    std::mt19937_64 rng(128);
    int bad = 0;
    auto check = [&](bool ok, const char* what) {
        if (!ok && ++bad < 10) std::printf("mismatch: %s\n", what);
    };
    for (int i = 0; i < kRounds; ++i) {
        Native a = (static_cast<Native>(rng() >> (rng() % 64)) << 64) | rng();
        Native b = (static_cast<Native>(rng() >> (rng() % 64)) << 64) | rng();
        if (i % 3 == 0) b >>= 64;
        if (b == 0) b = 1;
        U128 x = mk(a), y = mk(b);
        check(nat(x + y) == a + b, "+");
        check(nat(x - y) == a - b, "-");
        check(nat(x * y) == a * b, "*");
        check(nat(x / y) == a / b && nat(x % y) == a % b, "/ %");
        check((x < y) == (a < b) && (x == y) == (a == b), "compare");
        unsigned s = static_cast<unsigned>(rng() % 128);
        check(nat(x << s) == a << s && nat(x >> s) == a >> s, "shift");
        std::uint64_t p = rng(), q = rng();
        check(nat(kz::mulWide(p, q)) == static_cast<Native>(p) * q, "mulWide");
        check(kz::parseDecimal(kz::toDecimal(x)) == x, "decimal");
    }
    const Native moduli[] = {(static_cast<Native>(1) << 127) - 1, (static_cast<Native>(1) << 84) - 3,
                             (static_cast<Native>(1) << 64) + 13};
    for (Native n : moduli) {
        kz::Mont128 m(mk(n));
        for (int i = 0; i < kRounds / 10; ++i) {
            Native a = ((static_cast<Native>(rng()) << 64) | rng()) % n,
                   b = ((static_cast<Native>(rng()) << 64) | rng()) % n;
            // a*b mod n by doubling and adding in the native type.
            Native r = 0;
            for (int k = 127; k >= 0; --k) {
                r = (r << 1) % n;
                if ((b >> k) & 1) r = (r + a) % n;
            }
            check(nat(m.fromMont(m.mul(m.toMont(mk(a)), m.toMont(mk(b))))) == r, "Mont128");
        }
    }
    if (bad) std::printf("%d mismatches\n", bad);
    else std::puts("portable 128-bit arithmetic agrees");
    return bad != 0;
}
#endif
