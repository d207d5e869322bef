// kzcalc: evaluates expressions from standard input, one per line, as the
// calculation bar does (ans and variables carry over), and prints the first
// line of the answer box for each (with --working, each answer's working
// after it). A developer and test tool.
//
//   kzcalc [--working] [constants-file] < expressions
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "calc/driver.h"
#include "framework/binarystdio.h"

namespace {

std::filesystem::path programDirectory(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
    kz::useBinaryStdio();
    const bool working = argc > 1 && std::strcmp(argv[1], "--working") == 0;
    const int files = argc - 1 - (working ? 1 : 0);
    if (files > 1) {
        std::fprintf(stderr, "usage: %s [--working] [constants-file] < expressions\n", argv[0]);
        return 2;
    }
    kz::Evaluator evaluator(files == 1 ? kz::ConstantsLocator::exactly(argv[argc - 1])
                                       : kz::ConstantsLocator::searching(programDirectory(argv[0])));
    std::ios::sync_with_stdio(false);
    kz::runCalcDriver(std::cin, std::cout, evaluator, working);
    return std::cout ? 0 : 1;
}
