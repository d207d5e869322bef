#!/usr/bin/env bash
# The style and static checks of the test command, also for running by hand:
#   scripts/lint.sh [BUILD_DIR]          both checks (default build/, which must have been configured)
#   scripts/lint.sh --format             only the format check: no build needed, seconds
#   scripts/lint.sh --tidy [BUILD_DIR]   only clang-tidy over BUILD_DIR/compile_commands.json
# Fails when a tracked C++ file is not formatted as .clang-format says, or when
# clang-tidy (.clang-tidy) warns about any translation unit of the build.
set -euo pipefail
cd "$(dirname "$0")/.."
format=1 tidy=1
case "${1:-}" in
  --format) tidy=0; shift ;;
  --tidy) format=0; shift ;;
esac
build=${1:-build}

if [ "$format" = 1 ]; then
  echo "-- clang-format"
  git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
fi

if [ "$tidy" = 1 ]; then
  echo "-- clang-tidy"
  [ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json: configure $build first"; exit 1; }
  # Our own sources only: Qt's generated moc files are not ours to tidy.
  run-clang-tidy -p "$build" -quiet -j "$(nproc)" "^$PWD/(src|tests|bench|fuzz)/" >"$build/clang-tidy.log" 2>&1 || {
    grep -E "(warning|error):" "$build/clang-tidy.log" | sort -u | head -n 100
    echo "clang-tidy found problems (whole log: $build/clang-tidy.log)"
    exit 1
  }
fi
