#!/usr/bin/env bash
# Installs what the tests need, builds everything with warnings as errors, runs every test, then
# runs the core tests again in an address + undefined-behaviour sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_WERROR=ON -DLUMORA_BENCH=ON
cmake --build build-test -j"$(nproc)"
ctest --test-dir build-test --output-on-failure -j2

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMORA_WERROR=ON -DLUMORA_SANITIZE=ON -DLUMORA_GUI=OFF
cmake --build build-asan --target lumora_core_tests -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -j2
