#!/usr/bin/env bash
# Where the main window's first showing goes: the bench's figure 8 (the tray
# menu's Show posted to a fresh quickdex with 100 bindings, and the floor, a
# bare window with such a list in the bench's own process) run under Wine's
# own tracing (+timestamp, +pid, +relay limited to the calls listed below,
# which also traces every window message). For each, the landmarks in ms from
# the command posted (quickdex) or from ShowWindow (the floor), as the median
# of the rounds; then the libraries quickdex loaded on the way and how many
# times its window was painted whole. The relay adds a little to every traced
# call and message: compare the two with each other, not with the bench.
#   trace-show.sh [rounds, default 5]
# It ends the prefix's wineserver when done: run it while no test is running.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
bash scripts/setup.sh
bash scripts/build.sh win quickdex quickdex_bench >/dev/null

calls="user32.ShowWindow;user32.SetForegroundWindow;user32.BeginPaint;user32.EndPaint"
calls="$calls;user32.UpdateWindow;user32.PostMessageA;user32.DestroyWindow;kernel32.GetFileAttributesW"
calls="$calls;user32.SendMessageA"
. scripts/trace-prefix.sh

WINEDEBUG=+timestamp,+pid,+relay wine build/win/quickdex_bench.exe "$rounds" show \
    >"$work/bench.out" 2>"$work/show.trace" || true

# Lines: "<ms> <process> <thread> <what>". The bench's process is the first
# one traced. A round begins where the bench posts the Show command (the
# first WM_COMMAND it posts after a quickdex process came up).
awk -F: '
    function at(name, t0) { if (!((round, name) in seen)) { seen[round, name] = 1; printf "%d\t%s\t%.1f\n", round, name, (t - t0) * 1000 } }
    function report() {
        if (last) { t = last; at("first paint ends", p0) }
        printf "%d\tthe window painted whole, times\t%d\n", round, paints
        printf "%d\tSetForegroundWindow calls before the first paint\t%d\n", round, fg
        state = 0; last = 0; ended = 0
    }
    /:Call |:trace:loaddll/ { t = $1 + 0 } !/:Call / { next }
    !bench { bench = $2 }
    # The floor: a top-level ShowWindow(..., SW_SHOW) in the bench, then its
    # paints until it is destroyed; the rounds alternate 100 rows and none.
    $2 == bench && /Call user32.ShowWindow\([0-9a-f]+,00000005\)/ { floor = 1; fround++; f0 = t; next }
    $2 == bench && floor && /Call user32.EndPaint/ { fend = t }
    $2 == bench && floor && /Call user32.DestroyWindow/ {
        if (fend) printf "f\tfloor, %s: painted\t%.1f\n", (fround % 2) ? "100 rows" : "no rows", (fend - f0) * 1000
        floor = 0; fend = 0
    }
    # state: 1 Show posted, 2 handled by the new quickdex, 0 reported.
    $2 == bench && /Call user32.PostMessageA\([0-9a-f]+,00000111,/ {
        if (state == 2) report()
        else if (waiting) { round++; p0 = t; waiting = 0; state = 1; paints = 0; fg = 0 }
        next
    }
    $2 == bench { next }
    !($2 in known) { known[$2] = 1; waiting = 1 }
    state == 1 && /msg=WM_COMMAND/ {
        state = 2; pid = $2
        match($0, /hwnd=[0-9A-F]+/); main = substr($0, RSTART + 5, RLENGTH - 5)
        at("command handled", p0); next
    }
    state != 2 || $2 != pid { next }
    /Call KERNEL32.GetFileAttributesW/ { at("targets looked at", p0) }
    /Call user32.SendMessageA\([0-9a-f]+,0000000b,00000001/ { at("rows marked", p0) }
    /Call user32.ShowWindow\([0-9a-f]+,00000005\)/ { at("ShowWindow", p0) }
    /Call user32.SetForegroundWindow/ && !paints { fg++ }
    /Call PE DLL .*PROCESS_ATTACH/ { match($0, /L"[^"]+"/); dll[substr($0, RSTART + 2, RLENGTH - 3)]++ }
    index($0, "hwnd=" main ",msg=WM_ACTIVATE,wp=00000001") { at("activated", p0) }
    index($0, "hwnd=" main ",msg=WM_PAINT") { paints++; if (paints == 1) { at("painting begins", p0); last = t } }
    # The first paint: the window and its children, one after the other; it
    # has ended at the first pause of 25 ms with nothing painted.
    /Call user32.(Begin|End)Paint/ && paints && !ended { if (last && t - last > 0.025) ended = 1; else last = t }
    END {
        if (state == 2) report()
        for (d in dll) printf "0\tloaded on the way: %s\t%d\n", d, dll[d]
    }' "$work/show.trace" >"$work/landmarks"

median() {
    awk -F'\t' '
        { if (!($2 in order)) { order[$2] = n++; names[order[$2]] = $2 } v[$2] = v[$2] " " $3 }
        END {
            for (i = 0; i < n; ++i) {
                name = names[i]; c = split(v[name], a, " ")
                for (x = 1; x <= c; ++x) for (y = x + 1; y <= c; ++y) if (a[y] + 0 < a[x] + 0) { s = a[x]; a[x] = a[y]; a[y] = s }
                printf "%8.1f  %s\n", (c % 2) ? a[(c + 1) / 2] : (a[c / 2] + a[c / 2 + 1]) / 2, name
            }
        }'
}
echo "the main window's first showing, ms from the Show command posted (median of $rounds rounds, Wine's relay on)"
grep -v '^[0f]' "$work/landmarks" | median | sed 's/^/  /'
echo "libraries quickdex loaded between the command and the paint (rounds)"
grep '^0' "$work/landmarks" | sed 's/^0\tloaded on the way: \(.*\)\t\(.*\)/  \2  \1/' | sort -k2
echo "the floor, ms from its ShowWindow"
grep '^f' "$work/landmarks" | median | sed 's/^/  /'
echo "the bench's figure in this traced run"
grep -A1 'main window (tray' "$work/bench.out" | head -1 | sed 's/^ */  /'
