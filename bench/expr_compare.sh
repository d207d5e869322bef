#!/usr/bin/env bash
# The expression driver against `bc -l` on the same 100,000 lines of
# arithmetic, process against process. Usage: bench/expr_compare.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
kzcalc=$build/src/calc/kzcalc
[ -x "$kzcalc" ] || { echo "build $kzcalc first (scripts/build.sh)" >&2; exit 1; }
command -v bc >/dev/null || { SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo; $SUDO apt-get install -y -qq bc; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Reproducible lines such as ((8+4^2)+(55-73))/2; bc takes integer powers only.
awk 'BEGIN { srand(2010); for (i = 0; i < 100000; i++)
  printf "((%d+%d^2)+(%d-%d))/%d\n", int(rand()*100), int(rand()*20), int(rand()*100), int(rand()*100), 1+int(rand()*9) }' \
  > "$work/lines.txt"

best() {  # best of five wall-clock runs, in seconds
  local b=""
  for _ in 1 2 3 4 5; do
    local s e
    s=$(date +%s.%N); "$@" < "$work/lines.txt" > /dev/null; e=$(date +%s.%N)
    b=$(echo "$e - $s" | bc -l | awk -v b="$b" '{ if (b == "" || $1 < b) print $1; else print b }')
  done
  echo "$b"
}
t_kz=$(best "$kzcalc")
t_bc=$(best bc -l)
awk -v k="$t_kz" -v b="$t_bc" 'BEGIN {
  printf "kzcalc: %.3f s (%.2f us per line)\n", k, k * 10
  printf "bc -l:  %.3f s (%.2f us per line)\n", b, b * 10
  printf "ratio:  %.1fx faster than bc -l\n", b / k }'
