#!/usr/bin/env bash
# Regenerates every picture in this folder from scratch with ImageMagick: the
# icons here, and the editor's, chooser's and About window's pictures drawn by
# make_pictures.sh, which this script runs at the end.
#
#   bash res/make_icons.sh
#
# Each picture is drawn 16 times larger than its final size and then averaged
# down, which gives clean anti-aliased edges with real (32-bit) transparency.
# The output is byte-for-byte reproducible: no timestamps, no random input.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

IM="${IM:-convert}"
SS=16   # supersampling factor

# Ring colours of the badge, clockwise from the top.
RING6=("#E8392F" "#F68B1F" "#F7C51E" "#35A84A" "#1E84E0" "#8E3FC2")
# The same rings in grey: each colour's brightness, squeezed into a band of
# mid greys so the "off" badge keeps its segments but reads as inactive.
GREY6=("#8C8C8C" "#A6A6A6" "#B4B4B4" "#999999" "#8A8A8A" "#7E7E7E")
# Two alternating greens for the all-green badge.
GREEN6=("#2F9E44" "#43B557" "#2F9E44" "#43B557" "#2F9E44" "#43B557")

# badge OUT SIZE CENTRE GLYPH RIM COLOURS...
#   Draws the round badge: a ring of coloured segments, a light centre and a
#   dark lightning bolt in it, all inside a thin dark rim.
badge() {
    local out=$1 n=$2 centre=$3 glyph=$4 rim=$5
    shift 5
    local colours=("$@")
    local draw
    draw=$(awk -v n="$n" -v k="$SS" -v segs="${#colours[@]}" \
               -v cols="${colours[*]}" -v centre="$centre" -v glyph="$glyph" \
               -v rim="$rim" '
    function P(v) { return sprintf("%.2f", v * k) }
    function pt(r, a) { return P(c + r * cos(a)) "," P(c + r * sin(a)) }
    BEGIN {
        pi = atan2(0, -1)
        split(cols, col, " ")
        c = n / 2
        R = n / 2 - 0.25                      # outer edge
        w = (n <= 16) ? 2.75 : n * 0.20       # ring width
        r = R - w                             # light centre
        sep = (n <= 16) ? 0 : n / 36          # gap between segments
        # segments, as pie slices; the centre is painted over them
        for (i = 0; i < segs; i++) {
            a1 = -pi / 2 + 2 * pi * i / segs
            a2 = -pi / 2 + 2 * pi * (i + 1) / segs
            printf "fill %s stroke none path \"M %s,%s L %s A %s,%s 0 0,1 %s Z\" ",
                col[i + 1], P(c), P(c), pt(R, a1), P(R), P(R), pt(R, a2)
        }
        # thin light gaps between the segments (only where there is room)
        if (sep > 0) {
            for (i = 0; i < segs; i++) {
                a = -pi / 2 + 2 * pi * i / segs
                printf "stroke %s stroke-width %s line %s %s ", centre, P(sep),
                    pt(r, a), pt(R, a)
            }
        }
        # dark rim, for contrast on light and dark taskbars alike
        rw = (n <= 16) ? 0.8 : n / 32
        printf "fill none stroke %s stroke-width %s circle %s,%s %s,%s ",
            rim, P(rw), P(c), P(c), P(c), P(c - R + rw / 2)
        # light centre with a faint inner edge
        printf "fill %s stroke %s stroke-width %s circle %s,%s %s,%s ",
            centre, "rgba(0,0,0,0.22)", P(n <= 16 ? 0.5 : n / 64),
            P(c), P(c), P(c), P(c - r)
        # lightning bolt, in unit coordinates around the centre
        # (a squatter, bolder bolt at 16 px, where a thin one turns to mush)
        if (n <= 16)
            split("0.34,-1 -0.66,0.20 -0.04,0.20 -0.34,1 0.66,-0.20 0.04,-0.20", bolt, " ")
        else
            split("0.28,-1 -0.52,0.14 -0.04,0.14 -0.28,1 0.52,-0.16 0.04,-0.16", bolt, " ")
        s = r * ((n <= 16) ? 0.86 : 0.72)
        pts = ""
        for (i = 1; i <= 6; i++) {
            split(bolt[i], xy, ",")
            pts = pts " " P(c + xy[1] * s) "," P(c + xy[2] * s)
        }
        printf "fill %s stroke none polygon%s ", glyph, pts
    }')
    local big=$((n * SS))
    "$IM" -size "${big}x${big}" xc:none -draw "$draw" \
        -filter box -resize "${n}x${n}" -depth 8 "PNG32:$out"
}

# sign OUT SIZE KIND COLOUR EDGE
#   A bold rounded plus or minus with a darker edge. The bars are first drawn
#   with a wide stroke in the edge colour and then filled again without one,
#   so a plus gets one outline around both arms instead of two crossing ones.
sign() {
    local out=$1 n=$2 kind=$3 colour=$4 edge=$5
    local draw
    draw=$(awk -v n="$n" -v k="$SS" -v kind="$kind" -v colour="$colour" -v edge="$edge" '
    function P(v) { return sprintf("%.2f", v * k) }
    function bar(x0, y0, x1, y1) {
        return sprintf("roundrectangle %s,%s %s,%s %s,%s ",
            P(x0), P(y0), P(x1), P(y1), P(rr), P(rr))
    }
    BEGIN {
        e = 0.85                  # edge width
        a = 1.25 + e; b = n - 1.25 - e
        h = 2.6 - e               # half bar thickness, inside the edge
        c = n / 2; rr = 0.6
        bars = bar(a, c - h, b, c + h)
        if (kind == "plus") bars = bars bar(c - h, a, c + h, b)
        printf "fill %s stroke %s stroke-width %s %s", edge, edge, P(2 * e), bars
        printf "fill %s stroke none %s", colour, bars
    }')
    "$IM" -size "$((n * SS))x$((n * SS))" xc:none -draw "$draw" \
        -filter box -resize "${n}x${n}" -depth 8 "PNG32:$out"
}

# ico OUT PNG...
#   Packs the PNGs into one .ico. ImageMagick stores entries under 256 px as
#   32-bit BMPs with alpha; the define keeps any PNG entry free of dates.
ico() {
    local out=$1
    shift
    "$IM" "$@" -define png:exclude-chunks=date,time "$out"
}

# application icon, the windows' icon too: the small-icon sizes of 96, 120,
# 144 and 192 dpi (16, 20, 24 and 32 px) and 48 px
for n in 16 20 24 32 48; do
    badge "$work/app$n.png" "$n" "#FFFFFF" "#26282C" "rgba(20,20,24,0.70)" "${RING6[@]}"
done
ico "$here/quickdex.ico" "$work/app16.png" "$work/app20.png" "$work/app24.png" "$work/app32.png" "$work/app48.png"

# tray icons at 16, 20, 24 and 32 px: the small-icon sizes of 96, 120, 144
# and 192 dpi, so that the system takes one drawn for its size.
for n in 16 20 24 32; do
    badge "$work/t0_$n.png" "$n" "#FFFFFF" "#26282C" "rgba(20,20,24,0.70)" "${RING6[@]}"
    badge "$work/t1_$n.png" "$n" "#E4E4E4" "#6A6A6A" "rgba(40,40,40,0.60)" "${GREY6[@]}"
    badge "$work/t2_$n.png" "$n" "#F2FFF4" "#1E5A2A" "rgba(16,60,26,0.75)" "${GREEN6[@]}"
    sign "$work/t3_$n.png" "$n" plus "#2FAE4A" "#17692A"
    sign "$work/t4_$n.png" "$n" minus "#E23A32" "#8E1C16"
done
names=(tray0_running tray1_stopped tray2_green tray3_plus tray4_minus)
for i in 0 1 2 3 4; do
    ico "$here/${names[$i]}.ico" "$work/t${i}_16.png" "$work/t${i}_20.png" "$work/t${i}_24.png" "$work/t${i}_32.png"
done

. "$here/make_pictures.sh"

echo "pictures written to $here"
