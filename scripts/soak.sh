#!/usr/bin/env bash
# The soak: one run of quickdex.exe under Wine through many reload cycles and
# hotkey presses, printing what it holds at the start, at each quarter and at
# the end.   soak.sh [presses, default 10000] [reload cycles, default 1000]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh win >/dev/null
exec cmake/wine-run.sh "$PWD/build/win/wineprefix" build/win/soak.exe "${1:-10000}" "${2:-1000}"
