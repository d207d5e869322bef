// kzfactor: reads whole numbers from standard input, one per line, and prints
// for each the text the factorization box shows (or, with --divisors, the
// prime-or-composite identifier's text). A developer and benchmark tool.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "framework/numconv.h"
#include "tools/number/factorize.h"
#include "tools/number/primes.h"

int main(int argc, char** argv) {
    bool divisorMode = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--divisors") == 0 || std::strcmp(argv[i], "-d") == 0) {
            divisorMode = true;
        } else {
            std::fprintf(stderr,
                         "usage: %s [--divisors] < numbers\n"
                         "  prints the factorization text of each line, or with --divisors\n"
                         "  the prime-or-composite text with every divisor\n",
                         argv[0]);
            return 2;
        }
    }
    std::ios::sync_with_stdio(false);
    std::string line, out;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        try {
            out += divisorMode ? kz::primeCompositeTextOf(line) : *kz::factorizationTextOf(line);
        } catch (const kz::NumFailure&) {
            out += "发生错误！";  // what the window reports for such input
        }
        out += '\n';
        if (out.size() > (1u << 16)) {
            std::cout << out;
            out.clear();
        }
    }
    std::cout << out;
    return 0;
}
