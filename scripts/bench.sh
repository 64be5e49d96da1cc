#!/usr/bin/env bash
# The benchmarks: builds what is missing, then runs bench/quickdex_bench.exe
# under Wine, which prints every figure in one run, quickdex against a minimal
# Win32 program of the same kind where there is one.
#   bench.sh [rounds, default 11] [idle seconds, default 60]
#   bench.sh [rounds] startup|launch|show|front|exit|write   one figure alone
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build-libjpeg.sh mingw
[ -f build/win/CMakeCache.txt ] ||
    cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
# Only the benches and what they start (quickdex.exe, baseline.exe, marker.exe).
cmake --build build/win -j "$(nproc)" --target quickdex_bench write_bench >/dev/null
if [ "${2:-}" = write ]; then
    exec cmake/wine-run.sh "$PWD/build/win/wineprefix" build/win/write_bench.exe "${1:-11}"
fi
cmake/wine-run.sh "$PWD/build/win/wineprefix" build/win/quickdex_bench.exe "${1:-11}" "${2:-60}"
case "${2:-60}" in
[0-9]*) cmake/wine-run.sh "$PWD/build/win/wineprefix" build/win/write_bench.exe "${1:-11}" ;;
esac
