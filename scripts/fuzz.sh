#!/usr/bin/env bash
# Fuzzes each target for a while and prints what it reached:
#   fuzz.sh [seconds per target, default 600] [target ...]
# Targets: IniFile SectionName HotkeyLoad SetIni Jpeg (all by default).
# Each works on a corpus in build/fuzz/work/<target>, seeded from
# fuzz/corpus/<target>; a crash is left in build/fuzz/work/<target>-crashes
# and the run goes on with the next target. A crash, once fixed, belongs in
# fuzz/regressions/<target>, which the tests replay.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(IniFile SectionName HotkeyLoad SetIni Jpeg)

bash scripts/setup.sh
bash scripts/build.sh fuzz >/dev/null

failed=0
printf '%-12s %10s %10s %8s %8s %7s  %s\n' target seconds executions exec/s coverage corpus result
for t in "${targets[@]}"; do
    work=build/fuzz/work/$t
    crashes=build/fuzz/work/$t-crashes
    mkdir -p "$work" "$crashes"
    cp -n fuzz/corpus/"$t"/* "$work"/ 2>/dev/null || true
    log=build/fuzz/work/$t.log
    result=clean
    build/fuzz/"$t"Fuzz -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$crashes/" "$work" >"$log" 2>&1 || { result="FAILED: see $log"; failed=1; }
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    corpus=$(find "$work" -type f | wc -l)
    printf '%-12s %10s %10s %8s %8s %7s  %s\n' "$t" "$seconds" "${runs:-?}" "${rate:-?}" "${cov:-?}" "$corpus" "$result"
done
exit $failed
