// kzfactor: reads whole numbers from standard input, one per line, and prints
// for each the text the factorization box shows (or, with --divisors, the
// prime-or-composite identifier's text). A developer and benchmark tool:
// --time prints instead the count and the median, mean, 90th and 99th
// percentile and largest time per number, in microseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "framework/binarystdio.h"
#include "framework/numconv.h"
#include "framework/outcome.h"
#include "tools/number/factorize.h"
#include "tools/number/primewindows.h"

int main(int argc, char** argv) {
    kz::useBinaryStdio();
    bool divisorMode = false, timing = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--divisors") == 0 || std::strcmp(argv[i], "-d") == 0) {
            divisorMode = true;
        } else if (std::strcmp(argv[i], "--time") == 0) {
            timing = true;
        } else {
            std::fprintf(stderr,
                         "usage: %s [--divisors] [--time] < numbers\n"
                         "  prints the factorization text of each line, or with --divisors\n"
                         "  the prime-or-composite text with every divisor; with --time only\n"
                         "  the count and the median, mean, 90%%, 99%% and largest microseconds\n",
                         argv[0]);
            return 2;
        }
    }
    std::ios::sync_with_stdio(false);
    auto textOf = [&](const std::string& line) -> std::string {
        try {
            return divisorMode ? kz::primeCompositeTextOf(line) : *kz::factorizationTextOf(line);
        } catch (const kz::NumFailure&) {
            return std::string(kz::kFailureText);  // what the window reports for such input
        }
    };
    std::string line, out;
    if (timing) {
        std::vector<std::string> lines;
        while (std::getline(std::cin, line)) lines.push_back(line);
        std::vector<double> us;
        std::size_t sink = 0;
        for (const std::string& l : lines) {
            auto t0 = std::chrono::steady_clock::now();
            sink += textOf(l).size();
            auto t1 = std::chrono::steady_clock::now();
            us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        }
        if (us.empty()) return 0;
        double total = 0;
        for (double u : us) total += u;
        std::sort(us.begin(), us.end());
        auto at = [&](double q) { return us[static_cast<std::size_t>(q * (us.size() - 1))]; };
        std::printf("%zu %.2f %.2f %.2f %.2f %.2f\n", us.size(), at(0.5), total / us.size(), at(0.9), at(0.99),
                    us.back());
        return sink == 0;  // keeps the work observable
    }
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out += textOf(line);
        out += '\n';
        if (out.size() > (1u << 16)) {
            std::cout << out;
            out.clear();
        }
    }
    std::cout << out;
    return 0;
}
