#!/usr/bin/env bash
# The calculation bar asked for on a first start: starts the program with
# --no-splash --bar (and once more with the splash) on a virtual X display
# under openbox, and checks with xwininfo that the bar is mapped beside the
# ball a while after start-up, when the window manager has done its focusing.
# Usage: scripts/bar_check.sh [BUILD_DIR]   (it runs itself inside xvfb-run)
# KZ_BAR_LOG=FILE keeps the program's error output, KZ_BAR_SHOT=FILE.png a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ -z "${KZ_BAR_INNER:-}" ]; then
  KZ_BAR_INNER=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build"
fi

openbox >/dev/null 2>&1 &
wm=$!
prog=
runtime=$(mktemp -d)  # a first start: no running instance to hand over to
trap 'kill $prog $wm 2>/dev/null || true; rm -rf "$runtime"' EXIT
sleep 1

failures=0
check() {  # what, wanted, got
  if [ "$2" = "$3" ]; then echo "ok   $1"; else echo "FAIL $1: wanted $2, got $3"; failures=$((failures + 1)); fi
}
state() { xwininfo -id "$1" | awk '/Map State:/ {print $3}'; }
left() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {print $4}'; }
top() { xwininfo -id "$1" | awk '/Absolute upper-left Y/ {print $4}'; }
width() { xwininfo -id "$1" | awk '/Width:/ {print $2}'; }

start() {  # label, wait in seconds, program arguments...
  local label=$1 wait=$2
  shift 2
  XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb LANG=C.UTF-8 "$build/src/app/KelbrinZorvan2010" "$@" \
    >/dev/null 2>>"${KZ_BAR_LOG:-/dev/null}" &
  prog=$!
  sleep "$wait"
  local bar ball
  bar=$(xdotool search --name '^Form01$' | head -n 1 || true)
  ball=$(xdotool search --onlyvisible --name '^KelbrinZorvan2010$' | head -n 1 || true)
  if [ -z "$bar" ] || [ -z "$ball" ]; then
    echo "FAIL $label: no bar or no ball (bar '$bar', ball '$ball')"
    failures=$((failures + 1))
  else
    check "$label: the bar is shown" IsViewable "$(state "$bar")"
    check "$label: the bar's right edge touches the ball" "$(left "$ball")" "$(($(left "$bar") + $(width "$bar")))"
    check "$label: the bar's top is the ball's" "$(top "$ball")" "$(top "$bar")"
    # Active, so that going to another window still sends it away.
    check "$label: the bar is the active window" "$bar" "$(xdotool getactivewindow 2>/dev/null || true)"
  fi
  if [ -n "${KZ_BAR_SHOT:-}" ]; then import -window root "${KZ_BAR_SHOT%.png}-$label.png"; fi
  kill "$prog" 2>/dev/null || true
  wait "$prog" 2>/dev/null || true
  prog=
}

for i in 1 2 3; do start "no-splash-$i" 3 --no-splash --bar; done
start "splash" 5 --bar
if [ "$failures" -eq 0 ]; then echo "bar: all checks passed"; fi
exit "$failures"
