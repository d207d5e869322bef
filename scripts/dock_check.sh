#!/usr/bin/env bash
# Docking under a real window manager: starts the program on a virtual X
# display with openbox, opens the main panel from the ball's menu, drags the
# panel by its title bar with xdotool and checks that the search window comes
# along and that a drop 9 pixels from the work area's left edge ends on it.
# Usage: scripts/dock_check.sh [BUILD_DIR]   (it runs itself inside xvfb-run)
# KZ_DOCK_LOG=FILE keeps the program's error output, KZ_DOCK_SHOT=FILE.png a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ -z "${KZ_DOCK_INNER:-}" ]; then
  KZ_DOCK_INNER=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build"
fi

openbox >/dev/null 2>&1 &
wm=$!
QT_QPA_PLATFORM=xcb LANG=C.UTF-8 "$build/src/app/KelbrinZorvan2010" >/dev/null 2>"${KZ_DOCK_LOG:-/dev/null}" &
prog=$!
trap 'kill $prog $wm 2>/dev/null || true' EXIT
sleep 4  # the splash runs 2.7 s before the ball shows

# A window's frame, left and top (xdotool's own figure counts the title bar twice).
frame() {
  local ax ay
  ax=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print $4}')
  ay=$(xwininfo -id "$1" | awk '/Absolute upper-left Y/ {print $4}')
  set -- $(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  echo "$((ax - $1)) $((ay - $3))"
}
width() { xwininfo -id "$1" | awk '/Width:/ {print $2}'; }

# The ball and the panel share their title; the ball is the narrow one.
named() {  # title, test on the width
  for w in $(xdotool search --onlyvisible --name "$1" || true); do
    if [ "$(width "$w")" $2 ]; then echo "$w"; return; fi
  done
}
ball=$(named '^KelbrinZorvan2010$' "-lt 100")
read -r bx by <<<"$(xwininfo -id "$ball" | awk '/Absolute upper-left/ {print $4}' | xargs)" || true
xdotool mousemove $((bx + 10)) $((by + 10)) click 3
sleep 0.5
xdotool key Down Down Return  # 打开主面板
sleep 1.5
panel=$(named '^KelbrinZorvan2010$' "-eq 321")
search=$(named '^搜索 - KelbrinZorvan$' "-gt 0")
if [ -z "$panel" ] || [ -z "$search" ]; then echo "FAIL the panel and its search window did not open"; exit 1; fi
set -- $(xprop -id "$panel" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
panelWidth=$(( $(width "$panel") + $1 + $2 ))

failures=0
check() {  # what, wanted, got
  if [ "$2" = "$3" ]; then echo "ok   $1"; else echo "FAIL $1: wanted $2, got $3"; failures=$((failures + 1)); fi
}
beside() {
  read -r px py <<<"$(frame "$panel")" || true
  read -r sx sy <<<"$(frame "$search")" || true
  check "$1: the search window is on the panel's right edge (panel $px,$py search $sx,$sy)" "$((px + panelWidth))" "$sx"
}
drag() {  # to frame left X, and down by Y (default 0)
  read -r px py <<<"$(frame "$panel")" || true
  xdotool mousemove $((px + 100)) $((py + 8))
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
  for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((px + 100 + ($1 - px) * i / 10)) $((py + 8 + ${2:-0} * i / 10))
    sleep 0.03
  done
  sleep 0.05
  xdotool mouseup 1
  sleep 0.6  # the move ends after 150 ms without motion
}

beside "opened"
drag 300 -100
beside "dragged"
drag 9
check "dropped 9 from the left edge: the panel ends on it" 0 "$(frame "$panel" | cut -d' ' -f1)"
beside "dropped at 9"
drag 120
beside "dragged to 120"
drag 10
check "dropped 10 from the left edge: the panel stays" 10 "$(frame "$panel" | cut -d' ' -f1)"
beside "dropped at 10"
if [ -n "${KZ_DOCK_SHOT:-}" ]; then import -window root "$KZ_DOCK_SHOT"; fi
if [ "$failures" -eq 0 ]; then echo "docking: all checks passed"; fi
exit "$failures"
