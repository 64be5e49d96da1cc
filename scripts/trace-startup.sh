#!/usr/bin/env bash
# Where start-up time and memory go: quickdex.exe and the floor
# (bench/baseline.cpp), each started with 100 bindings under Wine's own
# tracing (+timestamp, +loaddll, +relay limited to the calls listed below),
# and the time of each landmark printed in ms from the moment the exe was
# mapped, as the median of the rounds. The relay adds a little to every
# traced call and to every window message; compare the programs with each
# other, not with the bench's figures. Then the private and resident memory
# of each once ready, and of the floor with the common-controls library
# loaded, by mapping of the Linux process.
#   trace-startup.sh [rounds, default 5]
# It ends the prefix's wineserver when done (a killed program leaves its
# global atoms behind): run it while no test is running.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
bash scripts/setup.sh
bash scripts/build.sh win quickdex baseline >/dev/null

calls="user32.CreateWindowExA;user32.CreateWindowExW;user32.RegisterHotKey;shell32.Shell_NotifyIconA"
calls="$calls;kernel32.GetPrivateProfileSectionNamesA;kernel32.GetPrivateProfileSectionA"
calls="$calls;kernel32.GetPrivateProfileStringA;user32.GetMessageA"
. scripts/trace-prefix.sh
# The bench's file: 100 bindings over Ctrl+Alt, Ctrl+Shift and Shift+Alt.
ini() {
    local i=0 m k
    for m in 3 6 5; do
        for k in $(seq 65 90) $(seq 48 57) $(seq 112 123); do
            i=$((i + 1))
            [ $i -gt 100 ] && return
            printf '[%d+%d]\r\nAction=C:\\Tools\\tool%d.exe\r\nHint=Tool %d\r\nSort=Tools\r\n' $m $k $i $i
        done
    done
}

# One traced start: the landmarks as "name<TAB>ms" lines.
landmarks() { # exe trace
    awk -F: -v exe="$1" '
        function at(name) { if (!(name in seen)) { seen[name] = 1; printf "%s\t%.1f\n", name, (t - t0) * 1000 } }
        { t = $1 + 0 }
        /trace:loaddll/ && index($0, exe) && !t0 { t0 = t; thread = $2; next }
        !t0 || $2 != thread { next }
        /trace:loaddll/ && /COMCTL32|comctl32/ { at("common-controls library loaded") }
        /trace:loaddll/ && /winex11/ { at("display driver loaded") }
        /Call user32.CreateWindowEx/ {
            split($0, q, "\""); cls = q[2]
            if (cls == "STATIC" || cls == "BUTTON" || cls == "Button" || cls == "EDIT" || cls == "COMBOBOX") next
            at("window " cls " created")
        }
        /Call KERNEL32.GetPrivateProfileSectionNamesA|Call KERNEL32.GetPrivateProfileStringA\(00000000/ { at("hotkey.ini: section names read") }
        /Call KERNEL32.GetPrivateProfileS/ { last_read = t }
        /Call shell32.Shell_NotifyIconA\(00000000/ { at("tray icon added") }
        /Call user32.RegisterHotKey/ { if (!first_reg) { first_reg = 1; at("first hotkey registered") } last_reg = t }
        /Call user32.GetMessageA/ { at("message loop") }
        END {
            if (last_read) { t = last_read; at("hotkey.ini: last read") }
            if (last_reg) { t = last_reg; at("last hotkey registered (ready)") }
        }' "$2"
}

for who in quickdex baseline; do
    mkdir -p "$work/$who"
    cp "build/win/$who.exe" "$work/$who/"
    ini >"$work/$who/hotkey.ini"
done
wineserver -k 2>/dev/null || true
# A first start, not counted, brings up the prefix's services.
(cd "$work/baseline" && WINEDEBUG=-all timeout 4 wine ./baseline.exe >/dev/null 2>&1 || true)
for round in $(seq "$rounds"); do
    for who in quickdex baseline; do
        (cd "$work/$who" && WINEDEBUG=+timestamp,+loaddll,+relay timeout 4 wine "./$who.exe" \
            >"$work/$who.$round.trace" 2>&1 || true)
        landmarks "$who.exe" "$work/$who.$round.trace" >>"$work/$who.landmarks"
    done
done

echo "start-up landmarks, ms from the exe mapped (median of $rounds rounds, 100 bindings, Wine's relay on)"
for who in quickdex baseline; do
    echo "$who"
    awk -F'\t' '
        { if (!($1 in order)) { order[$1] = n++; names[order[$1]] = $1 } v[$1] = v[$1] " " $2 }
        END {
            for (i = 0; i < n; ++i) {
                name = names[i]; c = split(v[name], a, " ")
                for (x = 1; x <= c; ++x) for (y = x + 1; y <= c; ++y) if (a[y] + 0 < a[x] + 0) { s = a[x]; a[x] = a[y]; a[y] = s }
                printf "%8.1f  %s\n", (c % 2) ? a[(c + 1) / 2] : (a[c / 2] + a[c / 2 + 1]) / 2, name
            }
        }' "$work/$who.landmarks" | sort -n | sed 's/^/  /'
done

# Memory once ready, by mapping: [anon] holds the Windows heaps and
# allocations, [heap] the Unix side's (the display driver, X11, fonts).
memory() { # label folder exe [argument]
    local folder=$2 exe=$3 argument=${4:-} pid=""
    (cd "$folder" && WINEDEBUG=-all timeout 6 wine "./$exe" $argument >/dev/null 2>&1 &)
    sleep 3
    pid=$(pgrep -fx "./$exe${argument:+ $argument}" | head -1 || true)
    echo "$1"
    if [ -z "$pid" ]; then
        echo "  not found"
    else
        awk '
            /^[0-9a-f]+-[0-9a-f]+ / { name = (NF >= 6) ? $6 : "[anon]"; sub(".*/", "", name); next }
            /^Private_(Clean|Dirty):/ { p[name] += $2; total += $2 }
            /^Rss:/ { r[name] += $2; rss += $2 }
            END {
                for (n in p) if (p[n] >= 40) printf "  %8d %8d  %s\n", p[n], r[n], n
                printf "  %8d %8d  total\n", total, rss
            }' "/proc/$pid/smaps" | sort -rn
    fi
    sleep 3.5
}
echo
echo "memory once ready, KB by mapping (private, resident; mappings with 40 KB private or more)"
memory quickdex "$work/quickdex" quickdex.exe
memory baseline "$work/baseline" baseline.exe
memory "baseline with the common-controls library" "$work/baseline" baseline.exe commoncontrols
