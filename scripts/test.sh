#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test in a normal build, then
# once more under the address, undefined-behaviour and leak sanitizers, all but the
# end-to-end, benchmark and install tests; last, the file readers under libFuzzer (clang)
# for a short run on their seeds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)
# Compiled objects are kept between runs where ccache is installed: a run that changes a few
# files rebuilds a few files in each of the three builds.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# No generator is named here, so this build directory is the same one the run command makes.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFEROLUNE_WERROR=ON "${launcher[@]}"
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# Leaks are errors too; the suppressions name the system libraries' own, one by one.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFEROLUNE_SANITIZE=ON -DFEROLUNE_WERROR=ON "${launcher[@]}"
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE "benchmark|e2e|install"

# The chart file and person file readers fuzzed for a short while each, from the seeds
# their tests write; long runs are made by hand (README, "Fuzz it").
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFEROLUNE_FUZZ=ON -DFEROLUNE_WERROR=ON \
  "${launcher[@]}"
cmake --build build-fuzz -j "$jobs" --target chart_file_fuzzer person_file_fuzzer ferolune_core_tests
build-fuzz/tests/ferolune_core_tests --gtest_brief=1 --gtest_filter='ChartFile*:ProbeChartFile*:PersonFile*'
for reader in chart_file person_file; do
  mkdir -p "build-fuzz/fuzz-corpus/$reader"
  "build-fuzz/fuzz/${reader}_fuzzer" -max_total_time=30 -max_len=4096 -timeout=5 -print_final_stats=1 \
    "build-fuzz/fuzz-corpus/$reader" "build-fuzz/fuzz-seeds/$reader"
done
