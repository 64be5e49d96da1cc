#!/usr/bin/env bash
# Builds every tree and runs every test: the native unit tests, the same
# tests under ASan and UBSan, the fuzz targets over their committed corpus
# and regression cases, then the Windows tests under Wine (one at a time:
# hotkeys and key presses are shared by the whole Wine desktop).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh all

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
ctest --test-dir build/native --output-on-failure -j "$(nproc)" || status=1
ctest --test-dir build/asan --output-on-failure -j "$(nproc)" || status=1
ctest --test-dir build/fuzz --output-on-failure || status=1
ctest --test-dir build/win --output-on-failure || status=1
exit $status
