#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test in a normal build, then
# once more under the address and undefined-behaviour sanitizers, all but the end-to-end,
# benchmark and install tests.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

# No generator is named here, so this build directory is the same one the run command makes.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFEROLUNE_SANITIZE=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE "benchmark|e2e|install"
