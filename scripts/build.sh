#!/usr/bin/env bash
# Configures and builds trees:  build.sh [native|win|all|asan|fuzz] [target...]
# With targets, only those are built (in the one tree named).
# build/native: the portable core and its tests, for Linux.
# build/win:    everything, cross-compiled with mingw-w64 for Windows.
# build/asan:   the native tree again, with ASan and UBSan.
# build/fuzz:   the libFuzzer targets, with clang; as tests they replay
#               the committed corpus and regression cases.
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
[ $# -gt 0 ] && shift
targets=()
for t in "$@"; do targets+=(--target "$t"); done
jobs=$(nproc)

if [ "$what" = native ] || [ "$what" = all ]; then
    [ -f build/native/CMakeCache.txt ] || cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build/native -j "$jobs"
fi
if [ "$what" = asan ] || [ "$what" = all ]; then
    [ -f build/asan/CMakeCache.txt ] ||
        cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUICKDEX_SANITIZE=ON >/dev/null
    cmake --build build/asan -j "$jobs"
fi
if [ "$what" = fuzz ] || [ "$what" = all ]; then
    bash scripts/build-libjpeg.sh fuzz
    [ -f build/fuzz/CMakeCache.txt ] ||
        cmake -S . -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUICKDEX_FUZZ=ON \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build/fuzz -j "$jobs"
fi
if [ "$what" = win ] || [ "$what" = all ]; then
    bash scripts/build-libjpeg.sh mingw
    [ -f build/win/CMakeCache.txt ] ||
        cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build/win -j "$jobs" "${targets[@]}"
fi
