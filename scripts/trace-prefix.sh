# Sourced by the trace scripts: the tests' Wine prefix and display, made on
# the first run; Wine's relay limited to the calls in $calls while the script
# runs; $work, a folder removed at the end, with the prefix's wineserver
# ended (a killed program leaves its global atoms behind).
prefix=$PWD/build/win/wineprefix
cmake/wine-run.sh "$prefix" cmd /c exit >/dev/null 2>&1 || true
export WINEPREFIX=$prefix WINEARCH=win64 WINEDLLOVERRIDES="mscoree=;mshtml="
if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=":$(( $(printf '%s' "$prefix" | cksum | cut -d' ' -f1) % 400 + 100 ))"
fi
WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d "$calls" /f >/dev/null 2>&1
work=$(mktemp -d)
trap 'WINEDEBUG=-all wine reg delete "HKCU\Software\Wine\Debug" /v RelayInclude /f >/dev/null 2>&1; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
