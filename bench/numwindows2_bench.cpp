// One Calculate press through the window model, for the base conversion,
// statistics, date and deposit windows, each at the largest input its
// boxes admit.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/windowmodel.h"

namespace {

using Edits = std::vector<std::pair<std::string, std::string>>;

void press(benchmark::State& state, const char* form, const char* button, Edits edits) {
    auto m = kz::openWindowModel(form);
    for (const auto& [name, text] : edits) m->edit(name, text);
    for (auto _ : state) {
        m->press(button);
        benchmark::DoNotOptimize(m->takeEvents());
    }
}

// Lists of exactly 500 characters.
std::string list(std::string item) {
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
BENCHMARK_CAPTURE(press, Form18, "Form18", "Command1",
                  Edits{{"Combo1", "五年"}, {"Text1", "9999999999999999999."}})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
