// The quadratic sieve on its own and inside the factorizer, on reproducible
// products of known primes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stop_token>
#include <vector>

#include "test_weight.h"
#include "tools/number/factorize.h"
#include "tools/number/nt/factorization.h"
#include "tools/number/nt/primality.h"
#include "tools/number/nt/siqs.h"
#include "tools/number/nt/stopped.h"
#include "tools/number/primewindows.h"

using namespace kz;

namespace {

using test::kLight;

// A random prime of exactly `bits` bits.
U128 primeOfBits(std::mt19937_64& rng, int bits) {
    for (;;) {
        U128 v = U128::fromParts(rng(), rng());
        v = (v >> (128 - bits)) | (U128(1) << (bits - 1)) | U128(1);
        if (isPrime(v)) return v;
    }
}

std::vector<U128> sorted(std::vector<U128> v) {
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

// Balanced and unbalanced semiprimes of 16 to 26 digits (53 to 86 bits):
// the sieve returns one of the two primes, and the factorizer, whichever
// method it picks, the same two.
TEST(FactorizeSiqs, SplitsSemiprimesOfEverySize) {
    std::mt19937_64 rng(20101009);
    const int perSize = kLight ? 3 : 120;
    for (int bits = 53; bits <= 86; ++bits) {
        for (int i = 0; i < perSize; ++i) {
            // Mostly balanced, sometimes a quarter to three quarters.
            int low = i % 4 == 3 ? bits / 4 + 4 : bits / 2;
            U128 p = primeOfBits(rng, low), q = primeOfBits(rng, bits - low);
            U128 n = p * q;
            if (p == q) continue;
            U128 f = nt::siqsFactor(n, {});
            EXPECT_TRUE(f == p || f == q) << toDecimal(n) << " gave " << toDecimal(f);
            EXPECT_EQ(factorize(n), sorted({p, q})) << toDecimal(n);
        }
    }
}

// Three-prime products: any proper divisor will do for the sieve; the
// factorizer must find all three. Squares of primes and prime powers times
// a prime go through the factorizer's root test and the sieve's cofactors.
TEST(FactorizeSiqs, ThreeFactorSplitsAndSquares) {
    std::mt19937_64 rng(7);
    const int count = kLight ? 6 : 300;
    for (int i = 0; i < count; ++i) {
        int b = 22 + i % 8;  // 66 to 87 bits in all
        U128 p = primeOfBits(rng, b), q = primeOfBits(rng, b), r = primeOfBits(rng, b + i % 3);
        U128 n = p * q * r;
        U128 f = nt::siqsFactor(n, {});
        EXPECT_TRUE(f > U128(1) && f < n && n % f == U128(0)) << toDecimal(n) << " gave " << toDecimal(f);
        EXPECT_EQ(factorize(n), sorted({p, q, r})) << toDecimal(n);

        U128 s = primeOfBits(rng, 38 + i % 5);  // 12-13 digit primes squared, and times a third
        EXPECT_EQ(factorize(s * s), sorted({s, s}));
        U128 t = primeOfBits(rng, 20 + i % 10);
        EXPECT_EQ(factorize(s * s * t), sorted({s, s, t})) << toDecimal(s * s * t);
    }
}

// A small prime factor is reported rather than sieved over; the sizes the
// sieve does not take are refused with 0 (the caller falls back).
TEST(FactorizeSiqs, SmallFactorsAndRefusedSizes) {
    U128 big = *parseDecimal("1000000000039");  // prime
    EXPECT_EQ(nt::siqsFactor(U128(101) * big * *parseDecimal("1000000007"), {}), U128(101));
    EXPECT_EQ(nt::siqsFactor(U128(1) << 95 | U128(1), {}), U128(0));  // above the size limit
    EXPECT_EQ(nt::siqsFactor(big * U128(2), {}), U128(0));            // even
}

TEST(FactorizeSiqs, StopRequestEndsTheSieve) {
    std::stop_source source;
    source.request_stop();
    U128 n = *parseDecimal("1000000000039") * *parseDecimal("1000000000061");
    EXPECT_THROW(nt::siqsFactor(n, source.get_token()), nt::Stopped);
    EXPECT_EQ(factorize(n, source.get_token()), std::nullopt);
}
