#!/usr/bin/env bash
# Where the time of a window's first showing goes: the bench's figure 8
# (bench/quickdex_bench.exe [rounds] show) run under Wine's own tracing
# (+timestamp, +relay limited to the calls listed below; the relay also
# shows every call of a window procedure), and for each round the calls and
# messages of quickdex.exe's user-interface thread from the command that
# shows the main window (the tray menu's Show) and the one that shows the
# hotkey editor (Add), in ms from the command's arrival. Then the medians of
# the landmarks over the rounds, and the same for the floor: the bare window
# with the same list that the bench shows in its own process.
#   trace-show.sh [rounds, default 3] [main|editor|floor|all, default all]
# The relay adds a little to every traced call and message; compare the
# landmarks with each other, not with the bench's figures. It ends the
# prefix's wineserver when done: run it while no test is running.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-3}
show=${2:-all}
bash scripts/setup.sh
bash scripts/build-libjpeg.sh mingw
[ -f build/win/CMakeCache.txt ] ||
    cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j "$(nproc)" --target quickdex_bench >/dev/null

calls="user32.CreateWindowExA;user32.CreateWindowExW;user32.ShowWindow;user32.SetForegroundWindow"
calls="$calls;user32.SetActiveWindow;user32.SetFocus;user32.SetWindowPos;user32.UpdateWindow;user32.RedrawWindow"
calls="$calls;user32.EnableWindow;user32.RegisterHotKey;user32.UnregisterHotKey;user32.PostMessageA"
calls="$calls;user32.BeginPaint;user32.EndPaint;user32.MonitorFromWindow;user32.MonitorFromPoint"
calls="$calls;comctl32.ImageList_Create;comctl32.ImageList_Add;kernel32.CreateFileW;kernel32.ReadFile"
. scripts/trace-prefix.sh
trace_prefix "$calls"
wineserver -k 2>/dev/null || true
# A first start, not counted, brings up the prefix's services.
(cd build/win && WINEDEBUG=-all timeout 4 wine ./baseline.exe >/dev/null 2>&1 || true)
(cd build/win && WINEDEBUG=+timestamp,+pid,+loaddll,+relay timeout 300 wine ./quickdex_bench.exe "$rounds" show \
    >"$work/bench.out" 2>"$work/trace" || true)
grep -v '^  round' "$work/bench.out" | sed -n '/^8 /,$p'

# Each round: "round<TAB>landmark<TAB>ms" lines. A window is named by its
# class, a message by the window it went to; paints are counted per window.
awk -F: -v want="$show" '
    function at(name, key) {
        if (!t0 || done) return
        key = name
        if (key in seen) { seen[key]++; name = name " #" seen[key] } else seen[key] = 1
        printf "%s\t%d\t%s\t%.0f\n", phase, round, name, (t - t0) * 1000
    }
    function norm(h) { sub(/^0x/, "", h); sub(/^0+/, "", h); return tolower(h) }
    function cls(h) { h = norm(h); return (h in class) ? class[h] : h }
    function start(p) {
        phase = p; t0 = t; done = 0; delete seen; paints = 0
        at("command arrives")
    }
    { t = $1 + 0; pid = $2; tid = $3 }
    /trace:loaddll/ && /quickdex\.exe/ && /: native/ { qpid = pid; qtid = tid; round++; t0 = 0; delete class; next }
    /trace:loaddll/ && /quickdex_bench\.exe/ && /: native/ { bpid = pid; btid = tid; next }
    # The floor: the bench shows a bare list in its own thread.
    pid == bpid && tid == btid && /Call user32.ShowWindow/ && floorArmed { frounds++; round = frounds; start("floor") }
    pid == bpid && tid == btid && /Call user32.CreateWindowExA/ && /bare list/ { floorArmed = 1; t0 = 0 }
    pid == bpid && tid == btid && phase == "floor" && t0 {
        if (/Ret  user32.UpdateWindow/) { at("UpdateWindow returns: painted"); done = 1; floorArmed = 0 }
        else if (/Call window proc/ && /msg=WM_PAINT/) at("WM_PAINT")
        else if (/Call user32.BeginPaint/) at("BeginPaint")
        else if (/Ret  window proc/ && /msg=WM_PAINT/) at("WM_PAINT done")
        next
    }
    pid != qpid || tid != qtid { next }
    /Ret  user32.CreateWindowEx/ { split($0, r, "retval="); split(r[2], v, " "); class[norm(v[1])] = pending; next }
    /Call user32.CreateWindowEx/ {
        split($0, q, "\""); pending = q[2]; if (pending == "") pending = "?"; next
    }
    /Call window proc/ && /msg=WM_COMMAND/ && /lp=0+\)/ {
        done = 1 # the next command: the phase before it is over
        match($0, /hwnd=[0-9a-fx]+/); h = substr($0, RSTART + 5, RLENGTH - 5)
        match($0, /wp=[0-9a-fx]+/); wp = norm(substr($0, RSTART + 3, RLENGTH - 3))
        if (cls(h) == "TMainForm" && wp == "84") start("main")   # Show_N, 132
        if (cls(h) == "TMainForm" && wp == "c9") start("editor") # AddBitBtn, 201
        next
    }
    !t0 || done { next }
    /Call window proc/ || /Ret  window proc/ {
        match($0, /hwnd=[0-9a-fx]+/); h = substr($0, RSTART + 5, RLENGTH - 5)
        match($0, /msg=[A-Za-z_0-9]+/); m = substr($0, RSTART + 4, RLENGTH - 4)
        if (m == "WM_SHOWWINDOW" || m == "WM_ACTIVATE" || m == "WM_ACTIVATEAPP" || m == "WM_NCACTIVATE" ||
            m == "WM_SETFOCUS" || m == "WM_WINDOWPOSCHANGED" || m == "WM_ENABLE" || m == "WM_NCPAINT" ||
            m == "WM_ERASEBKGND" || m == "WM_PAINT" || m == "WM_SIZE") {
            if (/Call window proc/) at(m " to " cls(h))
            else if (m == "WM_PAINT") at(m " of " cls(h) " done")
        }
        next
    }
    /Call user32\./ || /Call comctl32\./ || /Call KERNEL32\./ {
        split($0, c, "Call "); split(c[2], f, "("); name = f[1]
        if (name ~ /BeginPaint|EndPaint|PostMessage/) next
        arg = c[2]; sub(/^[^(]*\(/, "", arg); split(arg, a, ","); h = a[1]; sub(/\).*/, "", h)
        if (name ~ /ShowWindow|SetForegroundWindow|SetActiveWindow|SetFocus|SetWindowPos|UpdateWindow|RedrawWindow|EnableWindow|MonitorFrom/)
            at(name " " cls(h))
        else
            at(name)
        next
    }
    /Ret  user32\.(ShowWindow|SetForegroundWindow|RegisterHotKey|SetWindowPos)/ {
        split($0, c, "Ret  "); split(c[2], f, "("); at(f[1] " returns")
        next
    }
' "$work/trace" >"$work/landmarks"

for phase in main editor floor; do
    [ "$show" = all ] || [ "$show" = "$phase" ] || continue
    case $phase in
    main) echo; echo "main window: tray menu Show (WM_COMMAND 132) to the last paint, ms from the command's arrival" ;;
    editor) echo; echo "hotkey editor: Add (WM_COMMAND 201) to the last paint, ms from the command's arrival" ;;
    floor) echo; echo "the floor: ShowWindow of the bare window with 100 rows to UpdateWindow's return" ;;
    esac
    echo "  first round in full:"
    awk -F'\t' -v p="$phase" '$1 == p && !first { first = $2 } $1 == p && $2 == first { printf "  %8s  %s\n", $4, $3 }' \
        "$work/landmarks" | head -400
    echo "  medians over the rounds (landmarks seen in every round):"
    awk -F'\t' -v p="$phase" '
        $1 != p { next }
        { if (!($3 in order)) { order[$3] = n++; names[order[$3]] = $3 } v[$3] = v[$3] " " $4; rounds[$2] = 1 }
        END {
            r = length(rounds)
            for (i = 0; i < n; ++i) {
                name = names[i]; c = split(v[name], a, " ")
                if (c < r) continue
                for (x = 1; x <= c; ++x) for (y = x + 1; y <= c; ++y) if (a[y] + 0 < a[x] + 0) { s = a[x]; a[x] = a[y]; a[y] = s }
                printf "  %8.0f  %s\n", (c % 2) ? a[(c + 1) / 2] : (a[c / 2] + a[c / 2 + 1]) / 2, name
            }
        }' "$work/landmarks" | sort -n -s -k1,1
done
