#!/usr/bin/env bash
# Sets up, builds the program in release mode and runs it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVERO_TESTS=OFF >/dev/null
cmake --build build/release

program=build/release/app/kalvero
if [ $# -gt 0 ] || [ -x build/release/app/kalvero-window ]; then
  exec "$program" "$@"
fi
echo
echo "The window program is not built yet; the command line is ($program):"
echo
exec "$program" --help
