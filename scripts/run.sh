#!/usr/bin/env bash
# Builds Lumora and its sample course, then starts the program on that course.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_TESTS=OFF
cmake --build build --target lumora lumora-content -j"$(nproc)"
course=build/share/lumora/course
build/bin/lumora-content build content "$course"
build/bin/lumora-content check "$course"
# The help file lives beside the program.
ln -sfn ../share/lumora/course/HELP build/bin/HELP
exec build/bin/lumora --content-root "$PWD/$course" "$@"
