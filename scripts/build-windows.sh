#!/usr/bin/env bash
# Cross-builds Kalvero and its tests for 64-bit Windows with mingw-w64 into build/windows (preset
# "windows"). Every test program is listed under Wine as it is built, in the build's own Wine
# prefix, which the first build makes. Needs the packages of scripts/setup.sh.
#
#   scripts/build-windows.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset windows
if (($# > 0)); then
  cmake --build build/windows --target "$@"
else
  cmake --build build/windows
fi
