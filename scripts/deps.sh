#!/usr/bin/env bash
# Installs, by name from Debian's archive, whatever the build, the program and
# the tests need and this machine lacks. Run as root or with sudo available.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang            # compilers (clang is the default)
  libclang-rt-14-dev                     # clang's sanitizer and libFuzzer runtimes (only recommended by clang)
  qt6-base-dev qt6-multimedia-dev        # Qt 6 Widgets, Test, Multimedia (splash sound)
  qt6-translations-l10n                  # Qt's own Chinese dialog buttons
  libgtest-dev libgmock-dev libbenchmark-dev
  libboost-dev                           # Boost.Multiprecision (header-only): exact determinants of the equation windows
  fonts-arphic-uming fonts-wqy-microhei  # Song-style and sans CJK faces
  clang-format clang-tidy                # the format and static checks of the test command (lint.sh)
  python3-fonttools fonts-liberation2    # the build makes the Latin face (letters, digits) from Liberation Serif
  xvfb xauth                             # a display for running the program headless
  openbox xdotool x11-utils              # a window manager, scripted drags and window queries (dock_check.sh)
  coreutils                              # GNU factor, the reference of the factorization tests
  desktop-file-utils appstream           # validating the desktop entry and the metainfo
  dpkg-dev file                          # dpkg-shlibdeps and file: CPack works out the package's library dependencies
  poppler-utils                          # pdftotext: the window tests read back the text of a printed working
  g++-mingw-w64-x86-64-posix wine64      # the core cross-built for Windows and its tests run under Wine (other_platforms.sh)
  googletest                             # GoogleTest's sources, built for the Windows and libc++ builds
  libc++-dev libc++abi-dev               # clang's own standard library: the core checked against a second one
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
