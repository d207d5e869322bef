#!/usr/bin/env bash
# Times kzfactor, GNU factor and PARI/GP side by side on three reproducible
# batches of 25-digit numbers: primes, random numbers, and semiprimes of two
# 12-13-digit primes. Prints per-number medians and means and the ratios.
#
#   bench/factor_compare.sh [kzfactor-binary]
#   COUNT=1000 RUNS=5 SEED=20101009 WORK=dir bench/factor_compare.sh
set -euo pipefail
cd "$(dirname "$0")/.."

KZFACTOR=${1:-${KZFACTOR:-build/src/tools/number/kzfactor}}
COUNT=${COUNT:-1000}
RUNS=${RUNS:-5}
SEED=${SEED:-20101009}
WORK=${WORK:-$(mktemp -d)}
mkdir -p "$WORK"

[ -x "$KZFACTOR" ] || { echo "kzfactor not found at $KZFACTOR (build it first)" >&2; exit 1; }
command -v factor >/dev/null || { echo "GNU factor (coreutils) is missing" >&2; exit 1; }
if ! command -v gp >/dev/null; then
    echo "installing pari-gp" >&2
    if [ "$(id -u)" = 0 ]; then apt-get install -y --no-install-recommends pari-gp >&2
    else sudo apt-get install -y --no-install-recommends pari-gp >&2; fi
fi

# ---- reproducible batches ------------------------------------------------
python3 - "$WORK" "$COUNT" "$SEED" <<'PY'
import random, sys
work, count, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
BASES = (2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41)
def probable_prime(n):
    if n < 2: return False
    for p in BASES:
        if n % p == 0: return n == p
    d, s = n - 1, 0
    while d % 2 == 0: d //= 2; s += 1
    for a in BASES:
        x = pow(a, d, n)
        if x in (1, n - 1): continue
        for _ in range(s - 1):
            x = x * x % n
            if x == n - 1: break
        else: return False
    return True
def prime_in(rng, lo, hi):
    while True:
        n = rng.randrange(lo, hi) | 1
        if probable_prime(n): return n
lo, hi = 10**24, 10**25
for kind in ("primes", "random", "semiprimes"):
    rng = random.Random(f"{seed}-{kind}")
    with open(f"{work}/{kind}.txt", "w") as out:
        for _ in range(count):
            if kind == "primes": n = prime_in(rng, lo, hi)
            elif kind == "random": n = rng.randrange(lo, hi)
            else:
                while True:
                    n = prime_in(rng, 10**11, 10**13) * prime_in(rng, 10**11, 10**13)
                    if lo <= n < hi: break
            out.write(f"{n}\n")
PY

# ---- timing helpers --------------------------------------------------------
now_ns() { date +%s%N; }
median() { sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
# Median over RUNS of the whole-batch wall time, in microseconds per number.
wall_per_number() {
    local file=$1; shift
    for _ in $(seq "$RUNS"); do
        local t0 t1
        t0=$(now_ns); "$@" < "$file" > /dev/null; t1=$(now_ns)
        echo $(( (t1 - t0) / 1000 ))
    done | median | awk -v c="$COUNT" '{printf "%.1f", $1 / c}'
}
# PARI/GP inside one session: factor() on every number, no start-up or printing.
gp_per_number() {
    local file=$1
    for _ in $(seq "$RUNS"); do
        echo "v=readvec(\"$file\"); t=getabstime(); for(i=1,#v, factor(v[i])); print(getabstime()-t); quit" |
            gp -q -f -D parisize=64000000 2>/dev/null | tail -n 1
    done | median | awk -v c="$COUNT" '{printf "%.1f", $1 * 1000 / c}'
}

printf 'kzfactor: %s   batches of %d numbers in %s, medians of %d runs\n' "$KZFACTOR" "$COUNT" "$WORK" "$RUNS"
printf 'times in microseconds per number\n\n'
printf '%-11s %10s %10s %10s %10s %10s %9s %9s\n' batch kz-median kz-mean kz-wall factor gp gp/kz factor/kz
for kind in primes random semiprimes; do
    file=$WORK/$kind.txt
    # Same answers as GNU factor, factor for factor.
    "$KZFACTOR" < "$file" > "$WORK/$kind.kz"
    factor < "$file" | awk -F': ' '{n=split($2,f," "); if (n==1) print "这是一个质数"; else {s=f[1]; for(i=2;i<=n;i++) s=s "*" f[i]; print s}}' > "$WORK/$kind.gnu"
    cmp -s "$WORK/$kind.kz" "$WORK/$kind.gnu" || echo "WARNING: kzfactor and GNU factor disagree on $kind" >&2

    read -r _ kzmed kzmean _ < <(for _ in $(seq "$RUNS"); do "$KZFACTOR" --time < "$file"; done |
        sort -k3 -g | awk -v r="$RUNS" 'NR == int((r + 1) / 2)')
    kzwall=$(wall_per_number "$file" "$KZFACTOR")
    gnu=$(wall_per_number "$file" factor)
    gpt=$(gp_per_number "$file")
    awk -v k="$kind" -v med="$kzmed" -v mean="$kzmean" -v wall="$kzwall" -v gnu="$gnu" -v gp="$gpt" 'BEGIN {
        printf "%-11s %10.1f %10.1f %10.1f %10.1f %10.1f %9.2f %9.1f\n", k, med, mean, wall, gnu, gp, gp / mean, gnu / mean }'
done
printf '\nkz-median, kz-mean: inside kzfactor (--time), per number; kz-wall and factor: whole batch\n'
printf 'through the process, start-up included; gp: factor() inside one gp session. Ratios use kz-mean.\n'
