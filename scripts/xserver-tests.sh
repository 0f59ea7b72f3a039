#!/usr/bin/env bash
# Runs the tests that only a real X server shows (the CTest label "xserver") on a virtual display
# with a window manager: openbox started on the display and waited for, `ctest -L xserver`, and
# openbox stopped again.
#
#   scripts/xserver-tests.sh [BUILD_DIR]     (default: build/test)
set -euo pipefail
cd "$(dirname "$0")/.."

xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -s "${1:-build/test}" <<'SESSION'
set -euo pipefail
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null || true' EXIT
# openbox is ready once it names itself on the root window.
for _ in $(seq 100); do
  wmctrl -m >/dev/null 2>&1 && break
  sleep 0.1
done
wmctrl -m >/dev/null 2>&1 || { echo "xserver-tests: the window manager did not start" >&2; exit 1; }
ctest --test-dir "$1" --output-on-failure -L xserver
SESSION
