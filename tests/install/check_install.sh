#!/bin/sh
# Installs the built program into a fresh prefix and checks what a desktop
# needs from it: the program, a valid desktop entry and metainfo that agree
# with each other, and the icon at every size it is looked up at.
# Usage: check_install.sh BUILD_DIR APP_ID
set -eu
build=$1
id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

bin=$prefix/bin/KelbrinZorvan2010
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -x "$bin" ] || fail "no program at $bin"
[ -f "$desktop" ] || fail "no desktop entry at $desktop"
[ -f "$metainfo" ] || fail "no metainfo at $metainfo"

desktop-file-validate "$desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "metainfo does not validate"

# The entry names the icon and the program by what is installed.
grep -qx "Icon=$id" "$desktop" || fail "Icon= is not $id"
grep -qx "Exec=KelbrinZorvan2010" "$desktop" || fail "Exec= is not the installed program"
grep -qx "Categories=Education;Math;" "$desktop" || fail "Categories"
for key in Name GenericName Comment Keywords; do
  grep -q "^$key=" "$desktop" || fail "no $key"
  grep -q "^$key\[zh_CN\]=" "$desktop" || fail "no Chinese $key"
done
grep -q "^Exec=KelbrinZorvan2010 --panel$" "$desktop" || fail "no action for the main panel"
grep -q "^Exec=KelbrinZorvan2010 --bar$" "$desktop" || fail "no action for the calculation bar"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo does not launch the entry"

# The version the program reports is the one the metainfo releases.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin" --version) || fail "--version failed"
case $version in
  "KelbrinZorvan2010 "*) ;;
  *) fail "--version printed '$version'" ;;
esac
grep -q "<release version=\"${version#KelbrinZorvan2010 }\"" "$metainfo" || fail "metainfo has no release $version"

# Every icon size, and each PNG really is that size (width and height in its header).
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
  [ -f "$png" ] || fail "no $size px icon"
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
  [ "$dims" = "${size}x$size" ] || fail "$size px icon is $dims"
done
svg=$prefix/share/icons/hicolor/scalable/apps/$id.svg
[ -f "$svg" ] || fail "no scalable icon"
grep -q "<svg" "$svg" || fail "scalable icon is no SVG"
echo "install tree OK"
