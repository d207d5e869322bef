// The exact linear-system solver at the widest texts the boxes admit: ten
// characters per coefficient and sixteen per right-hand side, decimals mixed
// with whole numbers so that the common power of ten is large.
#include <benchmark/benchmark.h>

#include "tools/equation/systems.h"

namespace {

void twoUnknowns(benchmark::State& state) {
    const kz::Texts t{{"Text1", ".000000001"}, {"Text3", "9999999999"}, {"Text5", "9999999999999999"},
                      {"Text2", "1234.56789"}, {"Text4", ".987654321"}, {"Text6", ".000000000000001"}};
    for (auto _ : state) benchmark::DoNotOptimize(kz::solveTwoUnknowns(t));
}
BENCHMARK(twoUnknowns)->Unit(benchmark::kMicrosecond);

void threeUnknowns(benchmark::State& state) {
    const kz::Texts t{{"Text8", ".000000001"},        {"Text9", "9999999999"},        {"Text11", "1234.56789"},
                      {"Text13", "9999999999999999"}, {"Text7", ".987654321"},        {"Text10", "3.14159265"},
                      {"Text12", "2718281828"},       {"Text14", ".000000000000001"}, {"Text15", "1.41421356"},
                      {"Text16", "17320.5080"},       {"Text17", ".223606797"},       {"Text18", "1234567890123.456"}};
    for (auto _ : state) benchmark::DoNotOptimize(kz::solveThreeUnknowns(t));
}
BENCHMARK(threeUnknowns)->Unit(benchmark::kMicrosecond);

// Every determinant zero: the rank test runs as well.
void threeUnknownsSingular(benchmark::State& state) {
    const kz::Texts t{{"Text8", ".1"},  {"Text9", ".2"},  {"Text11", ".3"}, {"Text13", ".6"},
                      {"Text7", ".2"},  {"Text10", ".4"}, {"Text12", ".6"}, {"Text14", "1.3"},
                      {"Text15", ".3"}, {"Text16", ".6"}, {"Text17", ".9"}, {"Text18", "1.8"}};
    for (auto _ : state) benchmark::DoNotOptimize(kz::solveThreeUnknowns(t));
}
BENCHMARK(threeUnknownsSingular)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
