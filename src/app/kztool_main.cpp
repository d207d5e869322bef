// kztool FORM ACTION...: runs one window of the program headless through
// its model and prints what the user would see (see app/toolsession.h).
#include <iostream>

#include "app/toolsession.h"
#include "framework/binarystdio.h"

int main(int argc, char** argv) {
    kz::useBinaryStdio();
    std::vector<std::string> args(argv + 1, argv + argc);
    return kz::runToolSession(args, std::cout, std::cerr);
}
