// The conjecture explorer's five verifications at the largest inputs their
// boxes admit, after the one-time sieve (timed separately below).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "explore/conjecture.h"

namespace {

using namespace kz::conjecture;

void page(benchmark::State& state, Verification (*verify)(std::string_view), const std::string& input) {
    prepare();
    for (auto _ : state) benchmark::DoNotOptimize(verify(input));
}
BENCHMARK_CAPTURE(page, threeOddPrimes_999999, threeOddPrimes, "999999")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(page, threeOddPrimes_999997, threeOddPrimes, "999997")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(page, twoPrimes_999998, twoPrimes, "999998")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(page, twoPrimes_2e9, twoPrimes, "2e9")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(page, reverseAndAdd_89, reverseAndAdd, "89")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(page, reverseAndAdd_999999999, reverseAndAdd, "999999999")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(page, collatz_27, collatz, "27")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(page, collatz_703, collatz, "703")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(page, nicomachus_999, nicomachus, "999")->Unit(benchmark::kMicrosecond);

// The slowest Goldbach search over every admitted number (each below one million).
void goldbachWorstCase(benchmark::State& state) {
    prepare();
    for (auto _ : state) {
        double worst = 0;
        for (int n = 6; n < 1000000; n += 997) {
            auto t0 = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(n % 2 ? threeOddPrimes(std::to_string(n)) : twoPrimes(std::to_string(n)));
            worst = std::max(worst,
                             std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
        }
        state.counters["worst_us"] = worst;
    }
}
BENCHMARK(goldbachWorstCase)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    auto t0 = std::chrono::steady_clock::now();
    prepare();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    std::printf("one-time sieve: %.2f ms\n", ms);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
