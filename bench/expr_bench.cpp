// Speed of the expression engine: typical entries, a 30,000-character entry,
// a constant from the end of a 100,000-pair constants file, and the driver.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "calc/driver.h"
#include "calc/evaluator.h"

namespace {

namespace fs = std::filesystem;

const kz::ConstantsLocator kNoFile = kz::ConstantsLocator::exactly("/nonexistent/constants.csd");

void typical(benchmark::State& state, const char* entry) {
    kz::Evaluator e(kNoFile);
    for (auto _ : state) benchmark::DoNotOptimize(e.evaluate(entry, ""));
}
BENCHMARK_CAPTURE(typical, parentheses, "((1+8)/3)*2-5");
BENCHMARK_CAPTURE(typical, pi_power, "pi*(51^2)");
BENCHMARK_CAPTURE(typical, mixed, "((8+4^2)+(55-73))/2");
BENCHMARK_CAPTURE(typical, factorial_sr_ans, "sr(ans+2)*5!-abs(-3)");

// Terms of every kind, repeated to the length wanted.
std::string longEntry(std::size_t length) {
    static const std::string term = "(12.5+3)*2^3-sr 16/4+5!-abs(-7)*pi+";
    std::string s;
    while (s.size() + term.size() + 1 < length) s += term;
    while (s.size() < length - 1) s += "1+";
    s.resize(length - 1);
    if (s.back() == '+') s.back() = '1';
    s += "1";
    return s;
}

void longExpression(benchmark::State& state) {
    kz::Evaluator e(kNoFile);
    const std::string entry = longEntry(30000);
    if (e.evaluate(entry, "").find("发生错误") != std::string::npos) state.SkipWithError("entry is an error");
    for (auto _ : state) benchmark::DoNotOptimize(e.evaluate(entry, ""));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * entry.size()));
}
BENCHMARK(longExpression)->Unit(benchmark::kMillisecond);

// Nested as deep as allowed, padded with spaces to 30,000 characters.
void deepExpression(benchmark::State& state) {
    kz::Evaluator e(kNoFile);
    std::string entry = std::string(kz::Evaluator::kMaxDepth - 1, '(') + "1";
    entry += std::string(kz::Evaluator::kMaxDepth - 1, ')');
    entry.insert(0, 30000 - entry.size(), ' ');
    if (e.evaluate(entry, "") != "1") state.SkipWithError("entry does not give 1");
    for (auto _ : state) benchmark::DoNotOptimize(e.evaluate(entry, ""));
}
BENCHMARK(deepExpression)->Unit(benchmark::kMillisecond);

void constantFromTheEnd(benchmark::State& state) {
    std::string dir = (fs::temp_directory_path() / "kzbench-XXXXXX").string();
    fs::path folder = mkdtemp(dir.data());
    fs::path file = folder / "constants.csd";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 100000; ++i) out << "konst" << i << ", " << i << ".25\r\n";
        out << "last,42\r\n";
    }
    kz::Evaluator e(kz::ConstantsLocator::exactly(file));
    if (e.evaluate("last*2", "") != "84") state.SkipWithError("constant not found");
    for (auto _ : state) benchmark::DoNotOptimize(e.evaluate("last*2", ""));
    fs::remove_all(folder);
}
BENCHMARK(constantFromTheEnd)->Unit(benchmark::kMillisecond);

// Several constants in one entry: the file is indexed once.
void manyConstants(benchmark::State& state) {
    std::string dir = (fs::temp_directory_path() / "kzbench-XXXXXX").string();
    fs::path folder = mkdtemp(dir.data());
    fs::path file = folder / "constants.csd";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < 100000; ++i)
            out << "k" << (char)('a' + i % 26) << (char)('a' + i / 26 % 26) << (char)('a' + i / 676 % 26)
                << (char)('a' + i / 17576) << ',' << i << '\n';
    }
    std::string entry = "kzzzd";
    for (int i = 0; i < 200; ++i) entry += "+kaaa" + std::string(1, 'a' + i % 5);
    kz::Evaluator e(kz::ConstantsLocator::exactly(file));
    if (e.evaluate(entry, "").find("发生错误") != std::string::npos) state.SkipWithError("entry is an error");
    for (auto _ : state) benchmark::DoNotOptimize(e.evaluate(entry, ""));
    fs::remove_all(folder);
}
BENCHMARK(manyConstants)->Unit(benchmark::kMillisecond);

// The command-line driver in-process, on lines like those of expr_compare.sh.
void driverLines(benchmark::State& state) {
    std::string input;
    std::uint32_t seed = 2010;
    auto next = [&seed](std::uint32_t n) { return (seed = seed * 1103515245u + 12345u) / 65536u % n; };
    for (int i = 0; i < 10000; ++i)
        input += "((" + std::to_string(next(100)) + "+" + std::to_string(next(20)) + "^2)+(" +
                 std::to_string(next(100)) + "-" + std::to_string(next(100)) + "))/" + std::to_string(1 + next(9)) +
                 "\n";
    kz::Evaluator e(kNoFile);
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out;
        kz::runCalcDriver(in, out, e);
        benchmark::DoNotOptimize(out.str());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 10000));
}
BENCHMARK(driverLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
