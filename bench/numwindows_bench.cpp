// One Calculate of each number window through its model, at the largest
// input its boxes admit: what a pupil waits for after a click.
#include <benchmark/benchmark.h>

#include <string>

#include "app/toolsession.h"
#include "tools/number/accumulator.h"
#include "tools/number/calculator.h"
#include "tools/number/primewindows.h"
#include "tools/number/remainder.h"

namespace {

using kz::WindowModel;

template <typename Make>
std::unique_ptr<WindowModel> opened(Make make) {
    auto w = make();
    w->load();
    return w;
}

void pressCalculate(benchmark::State& state, WindowModel& w, const char* button = "Command1") {
    for (auto _ : state) {
        w.press(button);
        kz::settleJobs(w);  // inline, as kztool runs a job
        benchmark::DoNotOptimize(w.takeEvents());
    }
}

// Three presses (×, 1, ＝) on a 309-character display, the widest a finite value gets.
void BM_Form5_EqualsOnTheWidestDisplay(benchmark::State& state) {
    auto w = opened(kz::makeCalculatorWindow);
    w->press("cmdNum(9)");
    for (int i = 0; i < 307; ++i) w->press("cmdNum(9)");
    for (auto _ : state) {
        w->press("cmdMul");
        w->press("cmdNum(1)");
        w->press("cmdEqual");
    }
    state.SetItemsProcessed(3 * state.iterations());
    state.SetLabel(std::to_string(w->state("Text1").text.size()) + " characters");
}
BENCHMARK(BM_Form5_EqualsOnTheWidestDisplay)->Unit(benchmark::kMicrosecond);

void BM_Form8(benchmark::State& state, const char* n) {
    auto w = opened(kz::makePrimeJudgeWindow);
    w->edit("Text1", n);
    pressCalculate(state, *w);
}
BENCHMARK_CAPTURE(BM_Form8, composite_9999999, "9999999")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Form8, prime_9999991, "9999991")->Unit(benchmark::kMicrosecond);

void BM_Form40(benchmark::State& state, const char* n) {
    auto w = opened(kz::makeFactorizationWindow);
    w->edit("Text1", n);
    pressCalculate(state, *w);
}
BENCHMARK_CAPTURE(BM_Form40, prime_25_digits, "1000000000000000000000007")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Form40, prime_25_digits_b, "9172015496120811659849729")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Form40, semiprime_25_digits, "9348729337461906045745471")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Form40, semiprime_25_digits_b, "1268828772679179115137737")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Form40, twenty_five_nines, "9999999999999999999999999")->Unit(benchmark::kMicrosecond);

void BM_Form11(benchmark::State& state) {
    auto w = opened(kz::makeRemainderWindow);
    w->edit("Text1", "-999999999");
    w->edit("Text2", "-32768");
    pressCalculate(state, *w);
}
BENCHMARK(BM_Form11)->Unit(benchmark::kMicrosecond);

void BM_Form6(benchmark::State& state) {
    auto w = opened(kz::makeAccumulatorWindow);
    for (const char* box : {"Text1", "Text2", "Text3"}) w->edit(box, "999999999999999");
    pressCalculate(state, *w);
}
BENCHMARK(BM_Form6)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
