#!/usr/bin/env bash
# The benchmarks: builds what is missing, then runs bench/quickdex_bench.exe
# under Wine, which prints five figures, each quickdex against a minimal
# Win32 program of the same kind.   bench.sh [rounds, default 11]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh win >/dev/null
exec cmake/wine-run.sh "$PWD/build/win/wineprefix" build/win/quickdex_bench.exe "${1:-11}"
