// The command-line tools write UTF-8 texts and line feeds byte for byte. On
// Windows the C runtime's text mode would turn "\n" into "\r\n" on output and
// drop "\r" on input, so their output and their reading of a line would
// differ from every other platform's.
#pragma once

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

namespace kz {

inline void useBinaryStdio() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

}  // namespace kz
