#!/usr/bin/env bash
# The style and static checks of the test command, also for running by hand:
#   scripts/lint.sh [BUILD_DIR]   (default build/, which must have been configured)
# Fails when a tracked C++ file is not formatted as .clang-format says, or when
# clang-tidy (.clang-tidy) warns about any translation unit of the build.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

echo "-- clang-format"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

echo "-- clang-tidy"
# Our own sources only: Qt's generated moc files are not ours to tidy.
run-clang-tidy -p "$build" -quiet -j "$(nproc)" "^$PWD/(src|tests|bench|fuzz)/" >"$build/clang-tidy.log" 2>&1 || {
  grep -E "(warning|error):" "$build/clang-tidy.log" | sort -u | head -n 100
  echo "clang-tidy found problems (whole log: $build/clang-tidy.log)"
  exit 1
}
