#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "framework/numconv.h"
#include "test_weight.h"
#include "tools/number/nt/factorization.h"
#include "tools/number/nt/primality.h"
#include "tools/number/primewindows.h"

using namespace kz;

namespace {

using test::kLight;

U128 num(const char* s) { return *parseDecimal(s); }

}  // namespace

TEST(Primality, AgreesWithASieveBelowTenMillion) {
    const std::uint32_t limit = kLight ? 200000 : 10000000;
    std::vector<bool> prime(limit, true);
    prime[0] = prime[1] = false;
    for (std::uint64_t i = 2; i * i < limit; ++i)
        if (prime[i])
            for (std::uint64_t j = i * i; j < limit; j += i) prime[j] = false;
    int wrong = 0;
    for (std::uint32_t n = 0; n < limit; ++n)
        if (isPrime64(n) != prime[n] && ++wrong < 10) ADD_FAILURE() << n;
    EXPECT_EQ(wrong, 0);
}

TEST(Primality, PseudoprimesAndTheBoundsOfTheDeterministicTest) {
    struct Case {
        const char* n;
        bool prime;
    };
    const Case cases[] = {
        // Smallest strong pseudoprimes to the first k prime bases: each must be caught.
        {"2047", false},
        {"1373653", false},
        {"25326001", false},
        {"3215031751", false},
        {"2152302898747", false},
        {"3474749660383", false},
        {"341550071728321", false},
        {"3825123056546413051", false},
        {"318665857834031151167461", false},
        {"3317044064679887385961981", false},
        // Carmichael numbers.
        {"561", false},
        {"41041", false},
        {"5394826801", false},
        // Primes just beside the bounds and the largest admitted sizes (certified above 3.3e24).
        {"3317044064679887385961783", true},
        {"3317044064679887385962123", true},
        {"3317044064679887385962357", true},
        {"9999999999999999999999877", true},
        {"1000000000000000000000007", true},
        {"18446744073709551557", true},
        {"18446744073709551629", true},
        {"170141183460469231731687303715884105727", true},  // 2^127 - 1
        {"9999999999999999999999991", false},
        {"18446744073709551617", false},
        {"1287836182261", true},
        {"2575672364521", true},
        {"0", false},
        {"1", false},
        {"2", true},
        {"3", true},
        {"4", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isPrime(num(c.n)), c.prime) << c.n;
}

TEST(Primality, LastStepOfTheCertificateFindsTwoFactorSplits) {
    std::mt19937_64 rng(1729);
    for (int i = 0; i < 300; ++i) {
        U128 F = U128(2 * (rng() % 9000000 + 1000000));
        U128 x = U128(65536 + rng() % 900000), y = U128(65536 + rng() % 900000);
        EXPECT_TRUE(nt::splitsInTwo((x * F + U128(1)) * (y * F + U128(1)), F, -1)) << i;
        EXPECT_TRUE(nt::splitsInTwo((x * F + U128(1)) * (y * F - U128(1)), F, +1)) << i;
        // A prime of the same shape never splits.
        U128 k = U128(rng() % 1000000000000ULL + 1000000);
        while (!isPrime(k * F + U128(1))) k += U128(1);
        EXPECT_FALSE(nt::splitsInTwo(k * F + U128(1), F, -1));
        while (!isPrime(k * F - U128(1))) k += U128(1);
        EXPECT_FALSE(nt::splitsInTwo(k * F - U128(1), F, +1));
    }
}

TEST(Divisors, PairsUpToTheSquareRootListEveryDivisor) {
    for (std::int64_t n = 1; n <= (kLight ? 300 : 3000); ++n) {
        std::vector<std::int64_t> brute;
        for (std::int64_t d = 1; d <= n; ++d)
            if (n % d == 0) brute.push_back(d);
        EXPECT_EQ(divisors(n), brute) << n;
    }
    EXPECT_EQ(divisors(9999991), (std::vector<std::int64_t>{1, 9999991}));
    EXPECT_EQ(divisors(8648640).size(), 448u);
    EXPECT_EQ(divisors(9999999),
              (std::vector<std::int64_t>{1, 3, 9, 239, 717, 2151, 4649, 13947, 41841, 1111111, 3333333, 9999999}));
}

TEST(Divisors, IdentifierTexts) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"7", "是质数,它的因数有:1  7"},
        {"6", "是合数,它的因数有:1  2  3  6"},
        {"12", "是合数,它的因数有:1  2  3  4  6  12"},
        {"2", "是质数,它的因数有:1  2"},
        {"4", "是合数,它的因数有:1  2  4"},
        {"1", "不是质数也不是合数"},
        {"0", "不是质数也不是合数"},
        {"", "不是质数也不是合数"},
        {"-5", "不是质数也不是合数"},
        {"-999999", "不是质数也不是合数"},
        {"9999991", "是质数,它的因数有:1  9999991"},
        {"9999999", "是合数,它的因数有:1  3  9  239  717  2151  4649  13947  41841  1111111  3333333  9999999"},
    };
    for (const Case& c : cases) EXPECT_EQ(primeCompositeTextOf(c.in), c.out) << c.in;
}
