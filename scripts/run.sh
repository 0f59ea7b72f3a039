#!/usr/bin/env bash
# Sets up, builds the programs in release mode and runs `kalvero` with the given arguments:
# without any, it starts the window program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build build/release
exec build/release/app/kalvero "$@"
