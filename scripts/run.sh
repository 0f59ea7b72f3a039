#!/usr/bin/env bash
# Sets up, builds the program in release mode and runs it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVERO_TESTS=OFF >/dev/null
cmake --build build/release

program=build/release/app/kalvero
if [ -x "$program" ]; then
  exec "$program" "$@"
fi
echo
echo "Built the libraries of the engine, the component model and the language scripts:"
find build/release -name 'libkalvero_*.a' -printf '  %P\n' | sort
echo "The window program and the kalvero command line are not built yet; scripts/test.sh runs the tests."
