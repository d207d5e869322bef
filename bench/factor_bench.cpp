// Factorization, primality and divisor lists at the sizes the boxes admit.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "tools/number/factorize.h"
#include "tools/number/nt/factorization.h"
#include "tools/number/nt/montgomery.h"
#include "tools/number/nt/primality.h"
#include "tools/number/nt/siqs.h"
#include "tools/number/nt/stopped.h"
#include "tools/number/primewindows.h"

namespace {

using kz::U128;

U128 big(const char* s) { return *kz::parseDecimal(s); }

// Reproducible 25-digit numbers of one kind.
std::vector<U128> batch(int kind, int count) {
    std::mt19937_64 rng(20101009 + kind);
    const U128 lo = big("1000000000000000000000000"), span = big("9000000000000000000000000");
    auto draw = [&](U128 low, U128 width) { return low + U128::fromParts(rng(), rng()) % width; };
    std::vector<U128> v;
    while (static_cast<int>(v.size()) < count) {
        if (kind == 0) {  // primes
            U128 n = draw(lo, span) | U128(1);
            if (kz::isPrime(n)) v.push_back(n);
        } else if (kind == 1) {  // random
            v.push_back(draw(lo, span));
        } else {  // semiprimes of two 12-13 digit primes
            U128 p = draw(U128(100000000000ULL), U128(9900000000000ULL)) | U128(1);
            U128 q = draw(U128(100000000000ULL), U128(9900000000000ULL)) | U128(1);
            if (kz::isPrime(p) && kz::isPrime(q) && p * q >= lo && p * q < lo + span) v.push_back(p * q);
        }
    }
    return v;
}

void factorBatch(benchmark::State& state, int kind) {
    static std::vector<U128> numbers[3];
    if (numbers[kind].empty()) numbers[kind] = batch(kind, 200);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kz::factorize(numbers[kind][i++ % numbers[kind].size()]));
    }
}
BENCHMARK_CAPTURE(factorBatch, prime25, 0);
BENCHMARK_CAPTURE(factorBatch, random25, 1);
BENCHMARK_CAPTURE(factorBatch, semiprime25, 2);

// The quadratic sieve alone on the semiprimes, without trial division and
// the cheap curve before it.
void siqsSemiprime25(benchmark::State& state) {
    static const std::vector<U128> numbers = batch(2, 200);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(kz::nt::siqsFactor(numbers[i++ % numbers.size()], {}));
}
BENCHMARK(siqsSemiprime25)->Unit(benchmark::kMicrosecond);

void isPrimeBelowBound(benchmark::State& state) {  // deterministic Miller-Rabin range
    U128 n = big("2305843009213693951");           // 2^61 - 1
    U128 m = big("1000000000000000000000007");
    for (auto _ : state) {
        benchmark::DoNotOptimize(kz::isPrime(n));
        benchmark::DoNotOptimize(kz::isPrime(m));
    }
}
BENCHMARK(isPrimeBelowBound);

void isPrimeCertified(benchmark::State& state) {  // above 3317044064679887385961981
    static std::vector<U128> ps;
    if (ps.empty())
        for (U128 n : batch(0, 400))
            if (n > big("3317044064679887385961981")) ps.push_back(n);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(kz::isPrime(ps[i++ % ps.size()]));
}
BENCHMARK(isPrimeCertified);

void montMul128(benchmark::State& state) {
    kz::Mont128 m(big("9999999999999999999999991"));
    U128 a = m.toMont(U128(123456789)), b = m.toMont(U128(987654321));
    for (auto _ : state) {
        a = m.mul(a, b);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(montMul128);

void montMul64(benchmark::State& state) {
    kz::Mont64 m(18446744073709551557ULL);
    std::uint64_t a = m.toMont(U128(123456789)), b = m.toMont(U128(987654321));
    for (auto _ : state) {
        a = m.mul(a, b);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(montMul64);

void divisorList(benchmark::State& state) {
    std::int64_t n = state.range(0);
    for (auto _ : state) benchmark::DoNotOptimize(kz::primeCompositeText(n));
}
BENCHMARK(divisorList)->Arg(9999991)->Arg(9999999)->Arg(8648640)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
