#!/usr/bin/env bash
# Real file-system faults against both ways of writing hotkey.ini and
# Set.ini (the portable engine natively, the system's calls under Wine):
#   - a tmpfs filled to its last byte, so that every write runs out of room;
#   - the same files on a read-only mount.
#   - a tmpfs with room for a copy of hotkey.ini but not for the write
#     itself, so that the disk fills during the write (only the writes that
#     make a file larger are tried there: the others have room).
# Each write must fail with "Unable to write to <file>" and both files must
# keep every byte. Needs root for the mounts; builds what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" != 0 ]; then
    echo "faults: needs root to mount the small file systems" >&2
    exit 2
fi
bash scripts/setup.sh
bash scripts/build.sh native >/dev/null
bash scripts/build.sh win >/dev/null

base=$(mktemp -d /tmp/quickdex-faults.XXXXXX)
full=$base/full
nearly=$base/nearly
readonly_dir=$base/readonly
mkdir -p "$full" "$nearly" "$readonly_dir"
unmount_all() {
    for d in "$full" "$nearly" "$readonly_dir"; do umount "$d" 2>/dev/null || true; done
}
cleanup() {
    unmount_all
    rm -rf "$base"
}
trap cleanup EXIT

# The files every check starts from: 100 bindings and two categories.
make_files() {
    : >"$1/hotkey.ini"
    for i in $(seq 1001 1100); do
        printf '[3+%d]\r\nAction=C:\\Tools\\tool%d.exe\r\nHint=Tool %d\r\nSort=Tools\r\n' "$i" $((i - 1000)) $((i - 1000))
    done >"$1/hotkey.ini"
    printf '[Sort]\r\nTools=0\r\nGames=0\r\n' >"$1/Set.ini"
}

fill() { # folder, bytes to leave free (tmpfs counts whole pages)
    dd if=/dev/zero of="$1/filler" bs=4096 2>/dev/null || true
    dd if=/dev/zero of="$1/filler2" bs=1 2>/dev/null || true
    [ "$2" = 0 ] || truncate -s "-$2" "$1/filler"
}

prepare() {
    unmount_all
    mount -t tmpfs -o size=256k tmpfs "$full"
    make_files "$full"
    fill "$full" 0
    mount -t tmpfs -o size=256k tmpfs "$nearly"
    make_files "$nearly"
    # Room for a copy of hotkey.ini (two pages), not for 10,000 more bytes.
    fill "$nearly" 8192
    mount -t tmpfs -o size=256k tmpfs "$readonly_dir"
    make_files "$readonly_dir"
    mount -o remount,ro "$readonly_dir"
    sha_full=$(cat "$full/hotkey.ini" "$full/Set.ini" | sha256sum)
    sha_nearly=$(cat "$nearly/hotkey.ini" "$nearly/Set.ini" | sha256sum)
    sha_ro=$(cat "$readonly_dir/hotkey.ini" "$readonly_dir/Set.ini" | sha256sum)
}

verdict() { # name, status, folder, checksum before
    local after
    after=$(cat "$3/hotkey.ini" "$3/Set.ini" | sha256sum)
    if [ "$2" = 0 ] && [ "$after" = "$4" ]; then
        printf '  %-46s refused, files byte for byte as before\n' "$1"
    else
        printf '  %-46s FAILED (test status %s, files %s)\n' "$1" "$2" \
            "$([ "$after" = "$4" ] && echo unchanged || echo CHANGED)"
        failed=1
    fi
}

# 0 when the log shows the test passed.
passed() { grep -q "^\[       OK \] $2 " "$1" && echo 0 || echo 1; }

failed=0
prepare
echo "faults: 256k tmpfs with $(df -B1 --output=avail "$full" | tail -1 | tr -d ' ') bytes free;" \
    "one with $(df -B1 --output=avail "$nearly" | tail -1 | tr -d ' ') bytes free; a read-only one"
QUICKDEX_FULL_DIR=$full QUICKDEX_NEARLY_FULL_DIR=$nearly QUICKDEX_READONLY_DIR=$readonly_dir \
    build/native/native_tests --gtest_filter='FaultTest.*Disk*:FaultTest.ReadOnly*' >"$base/native.log" 2>&1 || true
verdict "portable engine, full disk" "$(passed "$base/native.log" FaultTest.FullDiskRefusesEveryWrite)" "$full" "$sha_full"
verdict "portable engine, disk full during the write" \
    "$(passed "$base/native.log" FaultTest.DiskFillingDuringTheWriteRefusesIt)" "$nearly" "$sha_nearly"
verdict "portable engine, read-only mount" "$(passed "$base/native.log" FaultTest.ReadOnlyFolderRefusesEveryWrite)" \
    "$readonly_dir" "$sha_ro"
[ "$failed" = 0 ] || cat "$base/native.log"

prepare
winpath() { printf 'Z:%s' "${1//\//\\}"; }
QUICKDEX_FULL_DIR=$(winpath "$full") QUICKDEX_NEARLY_FULL_DIR=$(winpath "$nearly") \
    QUICKDEX_READONLY_DIR=$(winpath "$readonly_dir") \
    cmake/wine-run.sh "$PWD/build/win/wineprefix" build/win/win_platform_tests.exe \
    --gtest_filter='Win32FaultTest.*' >"$base/wine.log" 2>&1 || true
verdict "system calls under Wine, full disk" "$(passed "$base/wine.log" Win32FaultTest.FullDiskRefusesEveryWrite)" \
    "$full" "$sha_full"
verdict "system calls under Wine, disk full during the write" \
    "$(passed "$base/wine.log" Win32FaultTest.DiskFillingDuringTheWriteRefusesIt)" "$nearly" "$sha_nearly"
verdict "system calls under Wine, read-only mount" \
    "$(passed "$base/wine.log" Win32FaultTest.ReadOnlyFolderRefusesEveryWrite)" "$readonly_dir" "$sha_ro"
[ "$failed" = 0 ] || cat "$base/wine.log"

exit $failed
