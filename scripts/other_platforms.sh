#!/usr/bin/env bash
# The display-free core on two other platforms, with the same expected texts
# as on Linux: Windows (MinGW-w64 cross build, run under Wine) and clang with
# libc++ (the standard library of macOS). The Qt windows are not built here.
#
#   scripts/other_platforms.sh [NATIVE-BUILD-DIR]
#
# NATIVE-BUILD-DIR (default build) holds the Linux kztool, kzcalc and kzfactor
# whose output the Windows programs must match byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
native=${1:-build}
gtest_src=/usr/src/googletest
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
common=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKZ_BUILD_UI=OFF -DKZ_BUILD_BENCH=OFF -DKZ_WERROR=ON
        -DKZ_GTEST_SOURCE_DIR="$gtest_src" "${launcher[@]}")

# The same bytes from the Windows program as from the Linux one.
same_output() {
  local what=$1 input=$2
  shift 2
  local linux windows
  linux=$(printf '%s' "$input" | "$native/$what" "$@"; echo "rc=$?")
  windows=$(printf '%s' "$input" | WINEDEBUG=-all "$wine" "build-mingw/$what.exe" "$@"; echo "rc=$?")
  if [ "$linux" != "$windows" ]; then
    echo "$what $*: the Windows program's output differs from Linux's:" >&2
    diff <(printf '%s\n' "$linux" | od -c) <(printf '%s\n' "$windows" | od -c) >&2 || true
    return 1
  fi
}

echo "== the core for Windows (MinGW-w64, Wine)"
start=$SECONDS
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all
cmake -S . -B build-mingw --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake "${common[@]}" >/dev/null
cmake --build build-mingw -j2
# Wine's first start creates its prefix; two tests starting it at once race and
# one of them fails, so the prefix is made before the tests run side by side.
"$wine" wineboot.exe --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w
ctest --test-dir build-mingw --output-on-failure -j2
cmake --build "$native" --target kztool kzcalc kzfactor >/dev/null
same_output src/app/kztool "" Form12 Text2=12 Text1=18 press:Command1 press:Command3
same_output src/calc/kzcalc $'1/3\n2^0.5*1e20\nsin(1)/7\n123456789012345678\n0.00001234\n'
same_output src/tools/number/kzfactor $'360\n1000000007\n-12\n\n18446744073709551617\n'
echo "-- $((SECONDS - start)) s"

echo "== the core with clang and libc++"
start=$SECONDS
CXX=clang++ CC=clang cmake -S . -B build-libcxx "${common[@]}" \
  -DCMAKE_CXX_FLAGS=-stdlib=libc++ -DCMAKE_EXE_LINKER_FLAGS=-stdlib=libc++ >/dev/null
cmake --build build-libcxx -j2
ctest --test-dir build-libcxx --output-on-failure -j2
echo "-- $((SECONDS - start)) s"
