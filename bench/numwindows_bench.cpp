// One Calculate of each number window through its model, at the largest
// input its boxes admit: what a pupil waits for after a click.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "app/toolsession.h"
#include "framework/windowmodel.h"
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

// The base conversion, statistics, date and deposit windows, opened by form
// name with their boxes filled in.
using Edits = std::vector<std::pair<std::string, std::string>>;

void press(benchmark::State& state, const char* form, const char* button, const Edits& edits) {
    auto m = kz::openWindowModel(form);
    for (const auto& [name, text] : edits) m->edit(name, text);
    for (auto _ : state) {
        m->press(button);
        benchmark::DoNotOptimize(m->takeEvents());
    }
}

// Lists of exactly 500 characters.
std::string list(const std::string& item) {
    std::string s = item;
    while (s.size() + 1 + item.size() <= 500) s += "," + item;
    while (s.size() < 500) s += "1";
    return s.substr(0, 500);
}
std::string distinctList() {
    std::string s = "1";
    for (int i = 2; s.size() < 500; ++i) s += "," + std::to_string(i * 7919 % 100003);
    return s.substr(0, 500);
}
// Every separator full-width: a warning, then a syntax error per separator.
std::string fullWidthList() {
    std::string s = "1";
    for (int characters = 1; characters + 2 <= 500; characters += 2) s += "，2";
    return s;
}

}  // namespace

BENCHMARK_CAPTURE(press, Form14_binary, "Form14", "Command1", Edits{{"Combo1", "二进制"}, {"Text1", "2147483647"}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form14_hex, "Form14", "Command1", Edits{{"Combo1", "十六进制"}, {"Text1", "-999999999"}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form14_overflow, "Form14", "Command1", Edits{{"Combo1", "八进制"}, {"Text1", "9999999999"}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form28_250_digits, "Form28", "cmdAnalyse", Edits{{"txtList", list("7")}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form28_distinct, "Form28", "cmdAnalyse", Edits{{"txtList", distinctList()}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form28_decimals, "Form28", "cmdAnalyse", Edits{{"txtList", list("3.14159265358979")}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form28_wrong_separators, "Form28", "cmdAnalyse", Edits{{"txtList", fullWidthList()}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form28_overflow, "Form28", "cmdAnalyse",
                  Edits{{"txtList", std::string(300, '9') + "," + std::string(199, '9')}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form41, "Form41", "Command1", Edits{{"Text1", "0001-01-01"}, {"Text2", "9999-12-31"}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form41_bad, "Form41", "Command1", Edits{{"Text1", "2008-02-30"}, {"Text2", "9999-12-31"}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form42, "Form42", "Command1", Edits{{"Text1", "-400"}})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(press, Form18, "Form18", "Command1", Edits{{"Combo1", "五年"}, {"Text1", "9999999999999999999."}})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
