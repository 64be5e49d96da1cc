#!/usr/bin/env bash
# Builds both trees and runs every test: the native unit tests, then the
# Windows tests under Wine (one at a time: hotkeys and key presses are
# shared by the whole Wine desktop).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh all

status=0
ctest --test-dir build/native --output-on-failure -j "$(nproc)" || status=1
ctest --test-dir build/win --output-on-failure || status=1
exit $status
