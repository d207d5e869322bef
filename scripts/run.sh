#!/usr/bin/env bash
# One command from a fresh Debian 12 machine to the running program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under Xvfb." >&2
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/src/app/KelbrinZorvan2010 "$@"
fi
exec build/src/app/KelbrinZorvan2010 "$@"
