#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "tools/number/nt/modular.h"
#include "tools/number/nt/primality.h"
#include "tools/number/nt/smallprimes.h"

using namespace kz;
using namespace kz::nt;

// The shared sieve against the Miller-Rabin test, over its whole range, and
// the prime lists cut from it at their edges.
TEST(SmallPrimes, SieveAgreesWithMillerRabin) {
    int wrong = 0;
    for (std::uint32_t n = 0; n < kSmallPrimeLimit + 100; ++n)
        if (isSmallPrime(n) != (n < kSmallPrimeLimit && isPrime64(n)) && ++wrong < 10) ADD_FAILURE() << n;
    EXPECT_EQ(wrong, 0);

    struct Case {
        std::uint32_t limit;
        std::size_t count;
        std::uint32_t last;
    };
    const Case cases[] = {
        {3, 1, 2}, {4, 2, 3}, {1 << 14, 1900, 16381}, {65536, 6542, 65521}, {kSmallPrimeLimit, 82025, 1048573}};
    for (const Case& c : cases) {
        auto ps = primesBelow(c.limit);
        ASSERT_EQ(ps.size(), c.count) << c.limit;
        EXPECT_EQ(ps.back(), c.last);
    }
    EXPECT_TRUE(primesBelow(2).empty());
    EXPECT_EQ(trialPrimes().size(), 6541u);  // the odd ones below 65536
    EXPECT_EQ(trialPrimes().front().p, 3u);
}

TEST(SmallPrimes, TrialDivisionKeepsMultiplicityAndTellsCompleteness) {
    std::vector<U128> f;
    TrialResult r = trialDivide(U128(2 * 2 * 3 * 4093) * U128(4093), 4096, f);
    EXPECT_EQ(f, (std::vector<U128>{2, 2, 3, 4093, 4093}));
    EXPECT_EQ(r.rest, U128(1));
    EXPECT_TRUE(r.complete);

    f.clear();
    const U128 big = U128(1000003) * U128(1000033);  // no prime factor below the limit
    r = trialDivide(big * U128(9), 4096, f);
    EXPECT_EQ(f, (std::vector<U128>{3, 3}));
    EXPECT_EQ(r.rest, big);
    EXPECT_FALSE(r.complete);

    // Two words: the quotients must be exact in 128 bits.
    f.clear();
    U128 wide = 3;
    for (int i = 0; i < 5; ++i) wide = wide * U128(65521);  // about 2^81
    r = trialDivide(wide, 65536, f);
    EXPECT_EQ(f, (std::vector<U128>{3, 65521, 65521, 65521, 65521, 65521}));
    EXPECT_EQ(r.rest, U128(1));
}

// One Jacobi symbol for words and for U128: Euler's criterion modulo a
// prime, multiplicativity in the modulus for composites.
TEST(Modular, JacobiSymbolAgreesWithEulersCriterion) {
    for (std::uint32_t p : primesBelow(400)) {
        if (p == 2) continue;
        for (std::uint32_t a = 0; a < 2 * p; ++a) {
            const std::uint32_t e = powMod(a, (p - 1) / 2, p);
            const int euler = e == 0 ? 0 : e == 1 ? 1 : -1;
            ASSERT_EQ(jacobi(a, p), euler) << a << " " << p;
            ASSERT_EQ(jacobi(U128(a), U128(p)), euler) << a << " " << p;
        }
    }
    std::mt19937_64 rng(5);
    for (int i = 0; i < 2000; ++i) {
        const std::uint64_t m1 = (rng() >> 40) | 1, m2 = (rng() >> 40) | 1, a = rng();
        const U128 m = mulWide(m1, m2);
        EXPECT_EQ(jacobi(U128(a) << 40, m),
                  jacobi((U128(a) << 40) % U128(m1), U128(m1)) * jacobi((U128(a) << 40) % U128(m2), U128(m2)));
    }
    EXPECT_EQ(jacobi(U128(1), U128(1)), 1);
    EXPECT_EQ(jacobi(U128(0), U128(1)), 1);
}

TEST(Modular, InversesAndSquareRoots) {
    std::mt19937_64 rng(9);
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t x = rng() | 1;
        EXPECT_EQ(x * inverse64(x), 1u);
        const U128 y = U128::fromParts(rng(), rng() | 1);
        EXPECT_EQ(y * inverse128(y), U128(1));
    }
    for (std::uint32_t p : {3u, 5u, 17u, 257u, 65521u, 1048573u}) {
        for (std::uint32_t a = 1; a < std::min(p, 3000u); ++a) {
            ASSERT_EQ(std::uint64_t{a} * inverseModPrime(a, p) % p, 1u) << a << " " << p;
            const std::uint32_t square = static_cast<std::uint32_t>(std::uint64_t{a} * a % p);
            const std::uint64_t r = sqrtMod(square, p);
            ASSERT_EQ(r * r % p, square) << a << " " << p;
        }
    }
    std::uint64_t inv = 0, g = 0;
    EXPECT_FALSE(inverseMod<std::uint64_t>(21, 35, inv, g));
    EXPECT_EQ(g, 7u);
}
