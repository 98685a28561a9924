#!/usr/bin/env bash
# The tests, in two commands (README, "Test it"); both first install what is missing.
#
#   bash scripts/test.sh         builds once, the normal build (preset dev, in build/), and
#                                runs every test in it;
#   bash scripts/test.sh --deep  builds with the address, undefined-behaviour and leak
#                                sanitizers (preset asan, in build-asan/) and runs all tests
#                                but the end-to-end, benchmark and install ones; then builds
#                                the file readers under libFuzzer with clang (preset fuzz, in
#                                build-fuzz/) and runs each for half a minute on its seeds.
#
# .ci/run runs the first and then the second. Warnings are errors in both.
set -euo pipefail
cd "$(dirname "$0")/.."

deep=0
case "${1-}" in
  "") ;;
  --deep) deep=1 ;;
  -h | --help)
    sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'
    exit 0
    ;;
  *)
    echo "usage: bash scripts/test.sh [--deep]" >&2
    exit 2
    ;;
esac

bash scripts/setup.sh
jobs=$(nproc)

options=(-DFEROLUNE_WERROR=ON)
# Compiled objects are kept between runs where ccache is installed: a run that changes a
# few files rebuilds a few files.
if command -v ccache >/dev/null; then
  options+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# configure <preset> <build directory>: the presets build with Ninja; a directory another
# generator made (the README's run command before the presets, say) is configured afresh.
configure() {
  local fresh=()
  if [ -f "$2/CMakeCache.txt" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$2/CMakeCache.txt"; then
    echo "$2 was made by another generator than Ninja: configuring it afresh"
    fresh=(--fresh)
  fi
  cmake --preset "$1" "${fresh[@]}" "${options[@]}"
}

if [ "$deep" -eq 0 ]; then
  configure dev build
  cmake --build --preset dev -j "$jobs"
  ctest --preset dev -j "$jobs"
  exit 0
fi

# Leaks are errors too; the suppressions name the system libraries' own, one by one. The
# test presets asan and fuzz set the same for ctest.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1
configure asan build-asan
cmake --build --preset asan -j "$jobs"
# All but the end-to-end, benchmark and install tests (labels e2e, benchmark, install).
ctest --preset asan -j "$jobs"

# The chart file and person file readers fuzzed for a short while each, from the seeds
# their tests write; long runs are made by hand (README, "Fuzz it").
configure fuzz build-fuzz
cmake --build --preset fuzz -j "$jobs"
build-fuzz/tests/ferolune_core_tests --gtest_brief=1 --gtest_filter='ChartFile*:ProbeChartFile*:PersonFile*'
for reader in chart_file person_file; do
  mkdir -p "build-fuzz/fuzz-corpus/$reader"
  "build-fuzz/fuzz/${reader}_fuzzer" -max_total_time=30 -max_len=4096 -timeout=5 -print_final_stats=1 \
    "build-fuzz/fuzz-corpus/$reader" "build-fuzz/fuzz-seeds/$reader"
done
