#!/bin/sh
# Builds the Debian package from the build tree into a scratch folder and
# checks what it carries and what it depends on.
# Usage: check_package.sh BUILD_DIR APP_ID
set -eu
build=$1
id=$2
command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null || { echo "no dpkg tools: skipped"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null || fail "cpack"
deb=$(ls "$out"/*.deb)
[ "$(echo "$deb" | wc -l)" -eq 1 ] || fail "expected one package, got: $deb"

files=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' | grep -v '/$' | sort)
expected=$(
  { echo /usr/bin/KelbrinZorvan2010
    echo /usr/share/applications/$id.desktop
    echo /usr/share/metainfo/$id.metainfo.xml
    for size in 16 22 24 32 48 64 128 256; do echo /usr/share/icons/hicolor/${size}x$size/apps/$id.png; done
    echo /usr/share/icons/hicolor/scalable/apps/$id.svg
  } | sort)
[ "$files" = "$expected" ] || { echo "package files:"; echo "$files"; fail "the package carries other files than expected"; }

depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 libqt6multimedia6 libqt6network6 libc6 fonts-arphic-uming fonts-wqy-microhei qt6-translations-l10n; do
  echo "$depends" | grep -q "\b$need\b" || fail "Depends lacks $need: $depends"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$(sed -n 's/.*release version="\([^"]*\)".*/\1/p' "$build/packaging/$id.metainfo.xml")" ] \
  || fail "package and metainfo versions differ"
echo "package OK: $(basename "$deb")"
