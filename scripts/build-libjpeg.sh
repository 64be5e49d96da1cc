#!/usr/bin/env bash
# Builds libjpeg-turbo from Debian's own source package, once, into
# build/deps/libjpeg-<flavour> (include/ and lib/libjpeg.a); later runs find
# it there and return at once.
#   build-libjpeg.sh [mingw|fuzz]
# mingw: for the Windows build (no Debian package ships a mingw libjpeg).
# fuzz:  with clang, instrumented for libFuzzer and the address sanitizer,
#        so that fuzzing the banner decoder reaches into the library too.
#
# The source comes through apt with a private configuration: the machine's
# own package sources, turned into source entries, and lists of its own, so
# that the system's apt set-up is left as it is and no host is named here.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
flavour=${1:-mingw}
dest=$root/build/deps/libjpeg-$flavour
[ -f "$dest/lib/libjpeg.a" ] && [ -f "$dest/include/jpeglib.h" ] && exit 0

case $flavour in
mingw) compiler=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake") ;;
fuzz)
    flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g"
    compiler=(-DCMAKE_C_COMPILER=clang "-DCMAKE_C_FLAGS=$flags")
    ;;
*) echo "build-libjpeg: unknown flavour $flavour (mingw or fuzz)" >&2; exit 2 ;;
esac

work=$root/build/deps/libjpeg-work-$flavour
rm -rf "$work"
mkdir -p "$work/sources" "$work/lists/partial" "$work/archives/partial" "$work/src"
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$work/sources/debian.sources"
fi
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$work/sources/debian.list"
fi
apt_options=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$work/sources"
    -o "Dir::State::Lists=$work/lists" -o "Dir::Cache::archives=$work/archives")
echo "libjpeg: fetching Debian's libjpeg-turbo source"
apt-get "${apt_options[@]}" -q update >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }
(cd "$work" && apt-get "${apt_options[@]}" -q source --download-only libjpeg-turbo >>"$work/apt.log" 2>&1) ||
    { cat "$work/apt.log"; exit 1; }
tar -xf "$work"/libjpeg-turbo_*.orig.tar.* -C "$work/src" --strip-components=1

echo "libjpeg: building it ($flavour)"
cmake -S "$work/src" -B "$work/build" "${compiler[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$dest" -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF >"$work/cmake.log" 2>&1 ||
    { cat "$work/cmake.log"; exit 1; }
cmake --build "$work/build" --target jpeg-static -j "$(nproc)" >>"$work/cmake.log" 2>&1 || { cat "$work/cmake.log"; exit 1; }

mkdir -p "$dest/include" "$dest/lib"
cp "$work/src/jpeglib.h" "$work/src/jmorecfg.h" "$work/src/jerror.h" "$work/build/jconfig.h" "$dest/include/"
cp "$work/build/libjpeg.a" "$dest/lib/"
rm -rf "$work"
echo "libjpeg: $dest"
