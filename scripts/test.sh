#!/usr/bin/env bash
# Installs what the tests need, builds everything with warnings as errors, runs every test, then
# runs the core tests again in an address + undefined-behaviour sanitizer build (which also compiles
# the benchmarks, so that they keep building without costing a run).
# Usage: scripts/test.sh [--bench]
#   --bench  also builds the benchmarks optimised and runs them once
set -euo pipefail
cd "$(dirname "$0")/.."
bench=OFF
for arg in "$@"; do
  case "$arg" in
    --bench) bench=ON ;;
    *) echo "usage: scripts/test.sh [--bench]" >&2; exit 2 ;;
  esac
done
scripts/deps.sh test
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# Line tables (-g1) are all a failing test's backtrace needs, at a fraction of full debug info's cost.
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DLUMORA_WERROR=ON -DLUMORA_BENCH="$bench"
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"
if [ "$bench" = ON ]; then build-test/bin/lumora_bench; fi

# The core only, optimised a little (as the sanitizers recommend) and without Qt.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DLUMORA_WERROR=ON -DLUMORA_SANITIZE=ON -DLUMORA_GUI=OFF -DLUMORA_BENCH=ON
cmake --build build-asan --target lumora_core_tests lumora_bench -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"
