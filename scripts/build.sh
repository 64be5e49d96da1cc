#!/usr/bin/env bash
# Configures and builds one or both trees:  build.sh [native|win|all]
# build/native: the portable core and its tests, for Linux.
# build/win:    everything, cross-compiled with mingw-w64 for Windows.
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
jobs=$(nproc)

if [ "$what" = native ] || [ "$what" = all ]; then
    [ -f build/native/CMakeCache.txt ] || cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build/native -j "$jobs"
fi
if [ "$what" = win ] || [ "$what" = all ]; then
    bash scripts/build-libjpeg-mingw.sh
    [ -f build/win/CMakeCache.txt ] ||
        cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build/win -j "$jobs"
fi
