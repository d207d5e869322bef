#!/usr/bin/env bash
# The expression driver against `bc -l` on the same 100,000 lines of
# arithmetic, process against process: best-of-five wall clock, and with
# --instructions also instructions per line under callgrind (repeatable on a
# busy machine; 20,000 lines, start-up included).
# Usage: bench/expr_compare.sh [build-dir] [--instructions]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
kzcalc=$build/src/calc/kzcalc
[ -x "$kzcalc" ] || { echo "build $kzcalc first (scripts/build.sh)" >&2; exit 1; }
command -v bc >/dev/null || { SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo; $SUDO apt-get install -y -qq bc; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Reproducible lines such as ((8+4^2)+(55-73))/2; bc takes integer powers only.
lines() {
  awk -v n="$1" 'BEGIN { srand(2010); for (i = 0; i < n; i++)
    printf "((%d+%d^2)+(%d-%d))/%d\n", int(rand()*100), int(rand()*20), int(rand()*100), int(rand()*100), 1+int(rand()*9) }'
}
lines 100000 > "$work/lines.txt"

best() {  # best of five wall-clock runs, in seconds; the shell's own clock, so no extra process is timed
  local b="" t TIMEFORMAT=%R
  for _ in 1 2 3 4 5; do
    t=$( { time "$@" < "$work/lines.txt" > /dev/null; } 2>&1 )
    b=$(awk -v t="$t" -v b="$b" 'BEGIN { print (b == "" || t < b) ? t : b }')
  done
  echo "$b"
}
t_kz=$(best "$kzcalc")
t_bc=$(best bc -l)
awk -v k="$t_kz" -v b="$t_bc" 'BEGIN {
  printf "kzcalc: %.3f s (%.2f us per line)\n", k, k * 10
  printf "bc -l:  %.3f s (%.2f us per line)\n", b, b * 10
  printf "ratio:  %.1fx faster than bc -l\n", b / k }'

if [ "${2:-}" = "--instructions" ]; then
  command -v valgrind >/dev/null || { echo "--instructions needs valgrind" >&2; exit 1; }
  lines 20000 > "$work/short.txt"
  instructions() {  # instructions per line of the whole process
    valgrind --tool=callgrind --callgrind-out-file="$work/cg.out" "$@" < "$work/short.txt" > /dev/null 2>&1
    callgrind_annotate "$work/cg.out" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); printf "%.0f", $1 / 20000 }'
  }
  i_kz=$(instructions "$kzcalc")
  i_bc=$(instructions bc -l)
  awk -v k="$i_kz" -v b="$i_bc" 'BEGIN {
    printf "kzcalc: %d instructions per line\n", k
    printf "bc -l:  %d instructions per line\n", b
    printf "ratio:  %.1fx fewer than bc -l\n", b / k }'
fi
