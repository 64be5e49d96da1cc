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

# The program only decodes one kind of picture: 8-bit JPEG, baseline or
# progressive, to RGB at full size. So the library is built without what it
# never reaches: arithmetic coding, 12-bit samples, the TurboJPEG API, the
# scaled IDCTs, the fast and float IDCTs (the accurate integer one is the
# default), merged upsampling (only used when fancy upsampling is off), colour
# quantization, and the JPEGMEM environment variable (read with sscanf,
# which alone drags scanf and strtod into the exe; the program reads no
# environment; NO_PUTENV goes with NO_GETENV, or jinclude.h misses errno.h on
# Linux). Both flavours get the same set, so fuzzing reaches what ships.
features=(-DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_12BIT=OFF
    -DWITH_ARITH_DEC=OFF -DWITH_ARITH_ENC=OFF -DWITH_MEM_SRCDST=ON)
unsupported="IDCT_SCALING_SUPPORTED DCT_IFAST_SUPPORTED DCT_FLOAT_SUPPORTED UPSAMPLE_MERGING_SUPPORTED \
    QUANT_1PASS_SUPPORTED QUANT_2PASS_SUPPORTED"
cflags="-DNO_GETENV -DNO_PUTENV"
case $flavour in
mingw)
    # For size: -Os without forced inlining, every function in a section of
    # its own for --gc-sections, and the C runtime's own printf family for
    # the library's messages instead of mingw's bigger ANSI one.
    compiler=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel -DFORCE_INLINE=OFF)
    cflags="$cflags -ffunction-sections -fdata-sections -D__USE_MINGW_ANSI_STDIO=0"
    ;;
fuzz)
    compiler=(-DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=Release)
    cflags="$cflags -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g"
    ;;
*) echo "build-libjpeg: unknown flavour $flavour (mingw or fuzz)" >&2; exit 2 ;;
esac

# A library built with other settings is built again.
config="${compiler[*]} ${features[*]} $cflags | $unsupported"
[ -f "$dest/lib/libjpeg.a" ] && [ -f "$dest/include/jpeglib.h" ] && [ "$(cat "$dest/config" 2>/dev/null)" = "$config" ] &&
    exit 0

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
# These switches live in jmorecfg.h (in its part for the library's own
# sources only), not in the library's CMake options.
for feature in $unsupported; do
    grep -q "^#define $feature\b" "$work/src/jmorecfg.h" ||
        { echo "build-libjpeg: no $feature in jmorecfg.h" >&2; exit 1; }
    sed -i "s/^#define $feature\b/#undef  $feature/" "$work/src/jmorecfg.h"
done

echo "libjpeg: building it ($flavour)"
cmake -S "$work/src" -B "$work/build" "${compiler[@]}" "${features[@]}" "-DCMAKE_C_FLAGS=$cflags" \
    -DCMAKE_INSTALL_PREFIX="$dest" >"$work/cmake.log" 2>&1 ||
    { cat "$work/cmake.log"; exit 1; }
cmake --build "$work/build" --target jpeg-static -j "$(nproc)" >>"$work/cmake.log" 2>&1 || { cat "$work/cmake.log"; exit 1; }

mkdir -p "$dest/include" "$dest/lib"
cp "$work/src/jpeglib.h" "$work/src/jmorecfg.h" "$work/src/jerror.h" "$work/build/jconfig.h" "$dest/include/"
cp "$work/build/libjpeg.a" "$dest/lib/"
printf '%s\n' "$config" >"$dest/config"
rm -rf "$work"
echo "libjpeg: $dest"
