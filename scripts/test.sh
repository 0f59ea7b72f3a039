#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test: those
# that need a real X server (label "xserver") last, on a virtual display with a window manager; then
# the Windows build's tests under Wine, and the Windows installer under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset test
cmake --build build/test
# A failing test runs once more before it counts: the interruption tests of the command line stop
# a run while it writes a copy, found by polling /proc, and now and then the copy is done first.
ctest --test-dir build/test --output-on-failure --parallel "$(nproc)" --label-exclude xserver --repeat until-pass:2
scripts/xserver-tests.sh build/test
scripts/check_manual.sh
scripts/check_install.sh build/test
scripts/fuzz.sh
scripts/test-windows.sh
scripts/check_windows_sort.sh build/test build/windows
scripts/check_windows_install.sh
