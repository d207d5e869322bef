#!/usr/bin/env bash
# One command from a fresh Debian 12 machine to every test passing: the format
# check, a build with warnings as errors, unit and window tests, clang-tidy over
# every translation unit, the core again under ASan/UBSan, a bounded fuzz run,
# and the core for Windows and libc++.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

echo "== format (clang-format, .clang-format)"
scripts/lint.sh --format

echo "== build (warnings as errors)"
scripts/build.sh -DKZ_WERROR=ON
echo "== unit and window tests, the install tree and the Debian package"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== docking under a real window manager (Xvfb, openbox, xdotool)"
# Once more on failure: a busy machine can make the window manager late.
scripts/dock_check.sh build || scripts/dock_check.sh build

echo "== the calculation bar on a first start with --bar (Xvfb, openbox)"
scripts/bar_check.sh build || scripts/bar_check.sh build

echo "== the program alone configures without GoogleTest and Google Benchmark"
cmake -S . -B build-program -G Ninja -DKZ_BUILD_TESTS=OFF -DKZ_BUILD_BENCH=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
rm -rf build-program

echo "== static checks (clang-tidy, .clang-tidy, every translation unit of build/)"
scripts/lint.sh --tidy build

echo "== sanitizer and fuzz build (clang, ASan + UBSan, core only)"
CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DKZ_BUILD_UI=OFF -DKZ_BUILD_BENCH=OFF -DKZ_SANITIZE=ON -DKZ_BUILD_FUZZ=ON -DKZ_WERROR=ON >/dev/null
cmake --build build-san
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-san --output-on-failure -j "$jobs"

echo "== fuzz (bounded)"
for f in build-san/fuzz/*_fuzz; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=fuzz/corpus/${name%_fuzz}
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  echo "-- $name"
  "$f" -max_total_time="${KZ_FUZZ_SECONDS:-60}" -timeout=10 -rss_limit_mb=2048 "$work" 2>&1 | tail -n 3
  rm -rf "$work"
done
scripts/other_platforms.sh build

echo "== all tests passed"
