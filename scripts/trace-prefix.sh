# Sourced by the trace scripts: the tests' Wine prefix and display, Wine's
# relay limited to the calls given (";"-separated), a work folder in $work,
# and, on exit, the relay setting taken back, the prefix's wineserver ended
# (a killed program leaves its global atoms behind) and the folder removed.
#   trace_prefix "user32.CreateWindowExW;user32.RegisterHotKey"
trace_prefix() {
    prefix=$PWD/build/win/wineprefix
    # The prefix and display that the tests use, made on the first run.
    cmake/wine-run.sh "$prefix" cmd /c exit >/dev/null 2>&1 || true
    export WINEPREFIX=$prefix WINEARCH=win64 WINEDLLOVERRIDES="mscoree=;mshtml="
    if [ -z "${DISPLAY:-}" ]; then
        export DISPLAY=":$(( $(printf '%s' "$prefix" | cksum | cut -d' ' -f1) % 400 + 100 ))"
    fi
    WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d "$1" /f >/dev/null 2>&1
    work=$(mktemp -d)
    trap 'WINEDEBUG=-all wine reg delete "HKCU\Software\Wine\Debug" /v RelayInclude /f >/dev/null 2>&1; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
}
