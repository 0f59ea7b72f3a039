#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset test
cmake --build build/test
ctest --test-dir build/test --output-on-failure --parallel "$(nproc)"
scripts/check_manual.sh
scripts/check_install.sh build/test
scripts/fuzz.sh
