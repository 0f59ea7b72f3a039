#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALVERO_SANITIZE=ON
cmake --build build/test
ctest --test-dir build/test --output-on-failure --parallel "$(nproc)"
scripts/check_manual.sh
scripts/check_install.sh build/test
scripts/fuzz.sh
