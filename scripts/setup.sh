#!/usr/bin/env bash
# Installs the Debian packages the two builds and their tests need, when one
# is missing; quick when everything is in place. Needs root for apt-get.
set -euo pipefail

packages=(
    cmake make g++ googletest libgtest-dev # native build and its tests
    clang libclang-rt-14-dev               # the fuzz targets (libFuzzer, sanitizers)
    libjpeg62-turbo-dev                    # the banner's JPEG decoding, native
    mingw-w64                              # the Windows build
    fp-utils                               # chmcmd, the help file compiler
    wine wine64 fonts-wine                 # running it
    xvfb x11-utils xauth imagemagick       # a display for Wine, and screenshots
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages: ${missing[*]}; run this as root to install them" >&2
    exit 1
fi
echo "setup: installing ${missing[*]}"
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
