#!/usr/bin/env bash
# Configures and builds the program, its tests and benchmarks in build/.
# clang is the default compiler: it makes the factorization 10–30% faster
# than g++ here. CXX=g++ scripts/build.sh (in a fresh build/) uses g++.
# Extra arguments go to CMake (the test command adds -DKZ_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${CXX:-}" ] && command -v clang++ >/dev/null; then export CXX=clang++; fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build
