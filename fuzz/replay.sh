#!/usr/bin/env bash
# Runs a fuzz target once over every file of the given folders (the seed
# corpus and the regression cases), without fuzzing: a regression test.
#   replay.sh TARGET DIR...
set -euo pipefail
target=$1; shift
files=()
for dir in "$@"; do
    [ -d "$dir" ] || continue
    while IFS= read -r -d '' f; do files+=("$f"); done < <(find "$dir" -type f -print0 | sort -z)
done
if [ ${#files[@]} -eq 0 ]; then
    echo "replay: no inputs for $(basename "$target")" >&2
    exit 1
fi
# Batches keep the command line short; a failure stops the replay.
for ((i = 0; i < ${#files[@]}; i += 200)); do
    "$target" -runs=1 "${files[@]:i:200}" >/dev/null 2>"${TMPDIR:-/tmp}/replay-$$.log" || {
        cat "${TMPDIR:-/tmp}/replay-$$.log" >&2
        rm -f "${TMPDIR:-/tmp}/replay-$$.log"
        exit 1
    }
done
rm -f "${TMPDIR:-/tmp}/replay-$$.log"
echo "replay: $(basename "$target"): ${#files[@]} inputs, no failure"
