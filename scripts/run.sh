#!/usr/bin/env bash
# Builds what is missing and runs quickdex under Wine. Until the program's
# windows exist this runs the Windows smoke test: a real hotkey, pressed
# through SendInput, starts its target through the shell.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh win
exec cmake/wine-run.sh "$PWD/build/win/wineprefix" build/win/win_engine_tests.exe --gtest_filter='*Smoke*'
