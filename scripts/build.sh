#!/usr/bin/env bash
# Configures (first time, or when VINTREL_CMAKE_ARGS is given) and builds Vintrel into build/.
# Extra CMake arguments come from VINTREL_CMAKE_ARGS, e.g.
#   VINTREL_CMAKE_ARGS=-DVINTREL_BUILD_BENCH=ON scripts/build.sh
set -euo pipefail

cd "$(dirname "$0")/.."

extra=()
if [[ -n "${VINTREL_CMAKE_ARGS:-}" ]]; then
    read -r -a extra <<<"$VINTREL_CMAKE_ARGS"
fi

# A build folder made by another generator cannot be reused by Ninja: start it afresh.
if [[ -f build/CMakeCache.txt ]] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' build/CMakeCache.txt; then
    rm -rf build/CMakeCache.txt build/CMakeFiles
fi

if [[ ! -f build/CMakeCache.txt || ! -f build/build.ninja || ${#extra[@]} -gt 0 ]]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}"
fi
cmake --build build -j "$(nproc)"
