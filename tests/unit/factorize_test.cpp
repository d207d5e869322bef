#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <stop_token>
#include <thread>

#include "framework/numconv.h"
#include "test_weight.h"
#include "tools/number/factorize.h"
#include "tools/number/nt/factorization.h"
#include "tools/number/nt/montgomery.h"
#include "tools/number/nt/primality.h"
#include "tools/number/primewindows.h"

using namespace kz;

namespace {

using test::kLight;

U128 num(const char* s) { return *parseDecimal(s); }

std::string joined(const std::vector<U128>& fs) {
    std::string s;
    for (const U128& f : fs) s += (s.empty() ? "" : " ") + toDecimal(f);
    return s;
}

}  // namespace

TEST(FactorizationText, BoxTexts) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"1", "它既不是质数，也不是合数"},
        {"0", ""},
        {"-5", ""},
        {"", ""},
        {"-", ""},
        {"-9999999999999999999999999", ""},
        {"2", "这是一个质数"},
        {"3", "这是一个质数"},
        {"7", "这是一个质数"},
        {"97", "这是一个质数"},
        {"4", "2*2"},
        {"8", "2*2*2"},
        {"9", "3*3"},
        {"12", "2*2*3"},
        {"14", "2*7"},
        {"25", "5*5"},
        {"360", "2*2*2*3*3*5"},
        {"1024", "2*2*2*2*2*2*2*2*2*2"},
        {"007", "这是一个质数"},
        {" 1 2 ", "2*2*3"},
        // Above 2^53 the number is the one typed, not a rounded neighbour.
        {"9007199254740993", "3*107*28059810762433"},
        // Factors of 16 or more digits in full.
        {"9999999999999999999999999", "3*3*41*271*21401*25601*182521213001"},
        {"9999999999999999999999943", "23*331*7371631*178188873596381"},
        {"3317044064679887385961981", "1287836182261*2575672364521"},
        {"9999999999999999999999877", "这是一个质数"},
        {"2000000000000000000000014", "2*1000000000000000000000007"},
    };
    for (const Case& c : cases) EXPECT_EQ(*factorizationTextOf(c.in), c.out) << '"' << c.in << '"';
    EXPECT_EQ(factorizationText(num("1000000000000000000000007")), "这是一个质数");
    std::string twos = "2";
    for (int i = 1; i < 53; ++i) twos += "*2";
    EXPECT_EQ(*factorizationTextOf("9007199254740992"), twos);  // 2^53
}

TEST(FactorizationText, ReadingTheBox) {
    EXPECT_EQ(readFactorInput("0000000000000000000000000000012"), U128(12));  // leading zeros are not digits of value
    EXPECT_EQ(readFactorInput("12abc"), U128(12));  // other text keeps the leading-number meaning
    EXPECT_EQ(readFactorInput("&H10"), U128(16));
    EXPECT_EQ(readFactorInput("2.5"), std::nullopt);
    EXPECT_EQ(readFactorInput("1e3"), U128(1000));
    EXPECT_THROW(readFactorInput("10000000000000000000000000"), NumFailure);
    EXPECT_THROW(readFactorInput("1e30"), NumFailure);
    EXPECT_THROW(factorize(U128::fromParts(1ULL << 63, 1)), std::out_of_range);
}

TEST(FactorizationText, StopRequestEndsTheWork) {
    std::stop_source source;
    source.request_stop();
    EXPECT_EQ(factorize(num("3317044064679887385961981"), source.get_token()), std::nullopt);
    EXPECT_EQ(factorizationTextOf("2575672364521", source.get_token()), std::nullopt);  // proof of a big prime
    EXPECT_EQ(factorizationTextOf("12", source.get_token()), "2*2*3");  // trial division alone never stops
}

TEST(FactorizationText, StopRequestFromAnotherThreadEndsALongRun) {
    // Two 19-digit primes: beyond the admitted size, a long ECM run.
    const U128 n = num("49642662176066216428750985310965160053");
    std::optional<std::vector<U128>> result = std::vector<U128>{};
    auto start = std::chrono::steady_clock::now();
    {
        std::jthread worker([&](std::stop_token stop) { result = factorize(n, stop); });
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }  // the jthread requests the stop and joins here
    EXPECT_EQ(result, std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(UInt128, DecimalAndDivision) {
    const U128 max = U128::max();
    EXPECT_EQ(toDecimal(max), "340282366920938463463374607431768211455");
    EXPECT_EQ(parseDecimal("340282366920938463463374607431768211455"), max);
    EXPECT_EQ(parseDecimal("340282366920938463463374607431768211456"), std::nullopt);
    EXPECT_EQ(parseDecimal("12x"), std::nullopt);
    EXPECT_EQ(toDecimal(num("10000000000000000000")), "10000000000000000000");
    EXPECT_EQ(toDecimal(U128(0)), "0");
    std::mt19937_64 rng(7);
    for (int i = 0; i < 2000; ++i) {
        U128 a = U128::fromParts(rng() >> (rng() % 64), rng());
        U128 b = U128::fromParts(i % 2 ? 0 : rng() >> (rng() % 63 + 1), rng() | 1);
        U128 q, r;
        divMod(a, b, q, r);
        EXPECT_LT(r, b);
        EXPECT_EQ(q * b + r, a);
        EXPECT_EQ(parseDecimal(toDecimal(a)), a);
        U128 s = isqrt(a);
        EXPECT_LE(s * s, a);
        EXPECT_GT(s + U128(1), a / (s + U128(1)));
    }
}

namespace {

// a*b mod n by doubling and adding: slow, plainly right (n < 2^127).
U128 mulModReference(U128 a, U128 b, U128 n) {
    U128 r = 0;
    for (int i = bitLength(b) - 1; i >= 0; --i) {
        r = r + r;
        if (r >= n) r -= n;
        if (((b >> i) & U128(1)) == U128(1)) {
            r = r + a;
            if (r >= n) r -= n;
        }
    }
    return r;
}

}  // namespace

TEST(Montgomery, AgreesWithPlainArithmeticNearWordEdges) {
    std::mt19937_64 rng(2010);
    const U128 moduli[] = {
        num("18446744073709551557"),
        num("18446744073709551617"),
        num("18446744073709551629"),  // near 2^64
        num("19342813113834066795298815"),
        num("19342813113834066795298817"),  // near 2^84
        num("9999999999999999999999999"),
        num("170141183460469231731687303715884105727"),  // 2^127 - 1
        num("170141183460469231731687303715884105725"),
        num("85070591730234615865843651857942052865"),
    };
    for (const U128& n : moduli) {
        Mont128 m(n);
        for (int i = 0; i < 300; ++i) {
            U128 a = U128::fromParts(rng(), rng()) % n, b = U128::fromParts(rng(), rng()) % n;
            if (i < 4) a = n - U128(1 + i);  // the largest residues
            U128 expect = mulModReference(a, b, n);
            EXPECT_EQ(m.fromMont(m.mul(m.toMont(a), m.toMont(b))), expect) << toDecimal(n);
            EXPECT_EQ(m.fromMont(m.add(m.toMont(a), m.toMont(b))), (a + b) % n);
            EXPECT_EQ(m.fromMont(m.sub(m.toMont(a), m.toMont(b))), (a + n - b) % n);
        }
        U128 e = U128::fromParts(rng(), rng()) >> 1, base = U128(3), expect = 1;
        for (int i = bitLength(e) - 1; i >= 0; --i) {
            expect = mulModReference(expect, expect, n);
            if (((e >> i) & U128(1)) == U128(1)) expect = mulModReference(expect, base, n);
        }
        EXPECT_EQ(m.fromMont(powMont(m, m.toMont(base), e)), expect);
    }
    for (std::uint64_t n : {3ULL, 18446744073709551557ULL, 18446744073709551615ULL, 9223372036854775809ULL}) {
        Mont64 m(n);
        for (int i = 0; i < 300; ++i) {
            std::uint64_t a = rng() % n, b = i < 3 ? n - 1 - i : rng() % n;
            EXPECT_EQ(m.fromMont(m.mul(m.toMont(U128(a)), m.toMont(U128(b)))), mulModReference(a, b, n)) << n;
            EXPECT_EQ(m.fromMont(m.add(m.toMont(U128(a)), m.toMont(U128(b)))), (U128(a) + U128(b)) % U128(n));
        }
    }
}

namespace {

// Numbers of every length with the shapes that trouble factorizers.
std::vector<U128> differentialNumbers() {
    std::mt19937_64 rng(19421997);
    std::vector<U128> v;
    const int perLength = kLight ? 6 : 80;
    U128 pow10 = 1;
    for (int digits = 1; digits <= 25; ++digits) {
        U128 lo = pow10;
        pow10 = pow10 * U128(10);
        for (int i = 0; i < perLength; ++i) v.push_back(lo + U128::fromParts(rng(), rng()) % (pow10 - lo));
    }
    auto primeNear = [](U128 x) {
        while (!isPrime(x)) x += U128(1);
        return x;
    };
    const int shaped = kLight ? 4 : 40;
    for (int i = 0; i < shaped; ++i) {
        U128 p = primeNear(U128(rng() % 3000000000000ULL + 2));
        v.push_back(p * p);  // squares
        U128 q = primeNear(U128(rng() % 200000 + 2));
        v.push_back(q * q * q * q);  // prime powers
        U128 r = primeNear(p + U128(1));
        v.push_back(p * r);  // close primes
        U128 s = primeNear(U128(rng() % 1000000000ULL + 1000000000ULL));
        v.push_back(s * s * q);
        std::uint64_t k = rng() % 20000000 + 1;  // Chernick: (6k+1)(12k+1)(18k+1) is a Carmichael number
        if (isPrime(U128(6 * k + 1)) && isPrime(U128(12 * k + 1)) && isPrime(U128(18 * k + 1)))
            v.push_back(U128(6 * k + 1) * U128(12 * k + 1) * U128(18 * k + 1));
    }
    for (U128 b : {U128(2), U128(3), U128(7), U128(10007)})
        for (U128 p = b; p < num("9999999999999999999999999") / b; p = p * b) v.push_back(p);
    // Carmichael numbers and the smallest strong pseudoprimes to the first k prime bases.
    for (const char* s : {"561",
                          "1105",
                          "1729",
                          "41041",
                          "825265",
                          "321197185",
                          "5394826801",
                          "2047",
                          "1373653",
                          "25326001",
                          "3215031751",
                          "2152302898747",
                          "3474749660383",
                          "341550071728321",
                          "3825123056546413051",
                          "318665857834031151167461",
                          "3317044064679887385961981",
                          "18446744073709551615",
                          "18446744073709551617",
                          "9999999999999999999999999",
                          "9999999999999999999999877"})
        v.push_back(num(s));
    for (std::uint64_t k = 1; v.size() < 2600 && !kLight && k < 20000000; k += 7919) {
        if (isPrime(U128(6 * k + 1)) && isPrime(U128(12 * k + 1)) && isPrime(U128(18 * k + 1)))
            v.push_back(U128(6 * k + 1) * U128(12 * k + 1) * U128(18 * k + 1));
    }
    return v;
}

}  // namespace

TEST(Factorize, AgreesWithGnuFactorFactorForFactor) {
#ifdef _WIN32
    GTEST_SKIP() << "GNU factor, the reference, is not a Windows program";
#endif
    std::vector<U128> numbers = differentialNumbers();
    std::string path = testing::TempDir() + "kz_factor_numbers.txt";
    {
        std::ofstream out(path);
        for (const U128& n : numbers) out << toDecimal(n) << '\n';
    }
    FILE* p = popen(("factor < " + path).c_str(), "r");
    if (!p) GTEST_SKIP() << "GNU factor not available";
    std::map<std::string, std::string> expected;
    char buf[512];
    while (fgets(buf, sizeof buf, p)) {
        std::string line(buf);
        if (!line.empty() && line.back() == '\n') line.pop_back();
        auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        expected[line.substr(0, colon)] = colon + 2 <= line.size() ? line.substr(colon + 2) : "";
    }
    if (pclose(p) != 0 || expected.empty()) GTEST_SKIP() << "GNU factor failed";
    std::remove(path.c_str());
    int checked = 0;
    for (const U128& n : numbers) {
        std::string key = toDecimal(n);
        auto it = expected.find(key);
        ASSERT_NE(it, expected.end()) << key;
        auto fs = factorize(n);
        ASSERT_TRUE(fs.has_value());
        EXPECT_EQ(joined(*fs), it->second) << key;
        if (fs->size() == 1) {
            EXPECT_TRUE(isPrime(n)) << key;
        }
        ++checked;
    }
    EXPECT_GE(checked, kLight ? 150 : 2000);
}
