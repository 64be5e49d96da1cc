#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest:  wine-run.sh PREFIX PROGRAM [ARGS...]
# One Wine prefix per build tree, made once; Wine's own chatter is silenced;
# an Xvfb display is started when there is none.
set -u
# Nothing this script leaves running (Xvfb, wineserver) may keep a file of
# the caller's open: a lock held around the test run would never be let go.
for fd in $(ls /proc/$$/fd); do
    [ "$fd" -gt 2 ] && eval "exec $fd>&-" 2>/dev/null
done
prefix=$1
shift
export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko installers: the programs need neither.
export WINEDLLOVERRIDES="mscoree=;mshtml="

if [ -z "${DISPLAY:-}" ]; then
    # A display of this prefix's own, kept for later runs.
    num=$(( $(printf '%s' "$prefix" | cksum | cut -d' ' -f1) % 400 + 100 ))
    if ! [ -e "/tmp/.X11-unix/X$num" ] || ! xdpyinfo -display ":$num" >/dev/null 2>&1; then
        rm -f "/tmp/.X$num-lock" "/tmp/.X11-unix/X$num"
        setsid Xvfb ":$num" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        for _ in $(seq 50); do
            xdpyinfo -display ":$num" >/dev/null 2>&1 && break
            sleep 0.1
        done
    fi
    export DISPLAY=":$num"
fi

mkdir -p "$(dirname "$prefix")"
(
    flock 9
    if ! [ -f "$prefix/.quickdex-ready-2" ]; then
        wineboot -i </dev/null >/dev/null 2>&1 9>&-
        # A virtual desktop: Wine then draws window frames, a taskbar with
        # its buttons and a notification area itself, as Windows does,
        # whatever X server (or none but Xvfb) is behind it.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1 9>&-
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1 9>&-
        wineserver -w
        touch "$prefix/.quickdex-ready-2"
    fi
) 9>"$prefix.lock"

# Wine leaves helper processes (wineserver, services) running after the
# program ends; they must not hold ctest's output pipe open, so the program's
# output goes through a file.
out=$(mktemp)
wine "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
