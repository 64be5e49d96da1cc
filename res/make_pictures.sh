# Draws the pictures beyond the app and tray icons: the hotkey editor's
# button glyphs and window icon, the action chooser's image strip and the
# About banner (plus two copies of it that the JPEG decoder's tests read).
#
# Sourced by make_icons.sh, which provides IM, SS, work, here, RING6 and the
# badge and ico helpers; run that script, not this one.

# Colours shared by the small pictures.
INK="#26282C"       # the badge's bolt; darkest outlines
EDGE="#4A5260"      # outline of paper, panels and screens
RULE="#9AA6B4"      # ruled lines on paper
FOLD="#D5DBE3"      # the turned-down corner of a page

# pic OUT SIZE MVG [UNITS]
#   Draws MVG whose coordinates are the pixels of a picture UNITS wide (the
#   final picture's own, SIZE, unless given): pixel (x, y) is the square from
#   x,y to x+1,y+1, so a 1 px line along a pixel row sits on a half coordinate
#   and a filled edge on a whole one. A drawing made for 16 px is drawn at
#   SIZE by scaling it by SIZE / UNITS. The drawing is point-sampled SS x SS
#   times per pixel and averaged, which keeps edges that fall on the pixel
#   grid sharp and anti-aliases the rest.
pic() {
    local out=$1 n=$2 mvg=$3 units=${4:-$2}
    local k=$((SS * n / units))
    "$IM" -size "$((n * SS))x$((n * SS))" xc:none +antialias \
        -draw "affine $k,0,0,$k,-0.5,-0.5 $mvg" \
        -filter box -resize "${n}x${n}" -depth 8 "PNG32:$out"
}

# The sizes the pictures of the windows are drawn at: the small-icon sizes of
# 96, 120, 144 and 192 dpi. The program takes the one nearest its window's
# DPI and never stretches it.
SIZES=(16 20 24 32)

# strip OUT PNG...
#   The pictures side by side, left to right, as one bitmap: bottom-up, 32
#   bits a pixel with straight (not premultiplied) alpha in the top byte (a
#   BITMAPV5HEADER with BI_BITFIELDS masks 00FF0000, 0000FF00, 000000FF and
#   FF000000), which windres stores as it is.
strip() {
    local out=$1
    shift
    "$IM" "$@" +append +repage -alpha on -depth 8 "BMP:$out"
}

# suffix SIZE
#   The file name's mark of a size: none for 16 px, the pictures' first size,
#   whose files kept their names; the size for the others.
suffix() {
    [ "$1" = 16 ] || printf '%s' "$1"
}

# sector CX CY R W A1 A2
#   A polygon for a band W wide around the circle of radius R about CX,CY,
#   from angle A1 to A2 in degrees, clockwise from three o'clock. Curved
#   strokes are drawn as these filled bands: this ImageMagick strokes an open
#   path or polyline with a stray closing segment.
sector() {
    awk -v cx="$1" -v cy="$2" -v r="$3" -v w="$4" -v a1="$5" -v a2="$6" '
    BEGIN {
        pi = atan2(0, -1)
        d = a2 - a1
        n = int((d < 0 ? -d : d) / 3) + 1
        printf "polygon"
        for (i = 0; i <= n; i++) {
            a = (a1 + d * i / n) * pi / 180
            printf " %.3f,%.3f", cx + (r + w / 2) * cos(a), cy + (r + w / 2) * sin(a)
        }
        for (i = n; i >= 0; i--) {
            a = (a1 + d * i / n) * pi / 180
            printf " %.3f,%.3f", cx + (r - w / 2) * cos(a), cy + (r - w / 2) * sin(a)
        }
    }'
}

# head CX CY R A HALF LEN
#   A polygon for an arrowhead at angle A on the circle of radius R about
#   CX,CY, HALF wide either side of the circle and pointing LEN along it,
#   clockwise.
head() {
    awk -v cx="$1" -v cy="$2" -v r="$3" -v a="$4" -v h="$5" -v l="$6" '
    BEGIN {
        a = a * atan2(0, -1) / 180
        ex = cx + r * cos(a); ey = cy + r * sin(a)
        printf "polygon %.3f,%.3f %.3f,%.3f %.3f,%.3f",
            ex + h * cos(a), ey + h * sin(a),
            ex - l * sin(a), ey + l * cos(a),
            ex - h * cos(a), ey - h * sin(a)
    }'
}

# over OUT BASE TOP
#   Lays picture TOP over picture BASE, both the same size.
over() {
    "$IM" "$2" "$3" -compose over -composite -depth 8 "PNG32:$1"
}

# ---------------------------------------------------------------------------
# Pieces that more than one picture uses. Each is an MVG fragment in 16 px
# coordinates.

# a sheet of paper with its top right corner turned down
PAGE="stroke-linejoin round
  fill #FFFFFF stroke $EDGE stroke-width 1
  polygon 3.5,1.5 8.5,1.5 12.5,5.5 12.5,14.5 3.5,14.5
  fill $FOLD polygon 8.5,1.5 8.5,5.5 12.5,5.5"

# a bold lightning bolt, the same shape as the badge's, with a dark edge
BOLT="stroke-linejoin round
  fill #F7C51E stroke $INK stroke-width 1
  polygon 10.2,1.2 3.0,9.2 7.4,9.2 5.8,14.8 13.0,6.8 8.6,6.8"

# a monitor on a stand, screen left empty (pixels 3..13 x 3..10)
MONITOR="stroke-linejoin round
  fill $EDGE stroke none
  rectangle 7,12 9,13
  roundrectangle 4,13 12,15 0.6,0.6
  fill #E9ECEF stroke $EDGE stroke-width 1
  roundrectangle 1.5,1.5 14.5,12.5 1,1"

# a neutral dot, for the chooser's unused slots
DOT="fill #A9B0B9 stroke #6B7380 stroke-width 1 circle 8,8 8,5.5"

# ---------------------------------------------------------------------------
# Hotkey editor: button glyphs, drawn in 16 px coordinates at every size.

for n in "${SIZES[@]}"; do
    # a document
    pic "$work/btn_file$n.png" "$n" "$PAGE
      fill $RULE stroke none
      rectangle 5,8 11,9
      rectangle 5,10 11,11
      rectangle 5,12 9,13" 16

    # a folder: the back with its tab, and the front flap a shade lighter
    pic "$work/btn_folder$n.png" "$n" "stroke-linejoin round stroke #9A6A00 stroke-width 1
      fill #E6A817 polygon 1.5,2.5 6.5,2.5 7.5,3.5 14.5,3.5 14.5,13.5 1.5,13.5
      fill #FFD447 polygon 1.5,5.5 14.5,5.5 14.5,13.5 1.5,13.5" 16

    # a built-in action: the bolt on its own
    pic "$work/btn_action$n.png" "$n" "$BOLT" 16

    # The editor's three picture buttons as one strip (one load for all):
    # 48 x 16, 60 x 20, 72 x 24, 96 x 32.
    strip "$here/buttons$(suffix "$n").bmp" "$work/btn_file$n.png" "$work/btn_folder$n.png" "$work/btn_action$n.png"
done

ico "$here/btn_file.ico" "$work/btn_file16.png"
ico "$here/btn_folder.ico" "$work/btn_folder16.png"
ico "$here/btn_action.ico" "$work/btn_action16.png"

# ---------------------------------------------------------------------------
# The marks of a binding's state in the main list, in this order: green (its
# hotkey works), amber (refused: another program or an earlier binding holds
# it), grey (the hotkeys are stopped), and a light disc with a red rim and a
# red cross (the binding's target cannot be found). A round mark with a dark
# rim, drawn at every size of SIZES so that it stays crisp at any scale.

# mark OUT SIZE FILL RIM [MVG]
#   The disc, and over it MVG in 16 px coordinates (the disc's centre is at
#   8,8, its radius 6), drawn at SIZE.
mark() {
    local out=$1 n=$2 fill=$3 rim=$4 sign=${5:-}
    local over=()
    [ -z "$sign" ] || over=(-draw "affine $((SS * n / 16)),0,0,$((SS * n / 16)),0,0 $sign")
    "$IM" -size "$((n * SS))x$((n * SS))" xc:none -fill "$fill" -stroke "$rim" -strokewidth "$((SS * n / 16))" \
        -draw "circle $((n * SS / 2)),$((n * SS / 2)) $((n * SS / 2)),$((n * SS / 8))" "${over[@]}" \
        -resize "${n}x${n}" "PNG32:$out"
}
MISSING="fill none stroke #C62828 stroke-width 2 stroke-linecap round
  line 5.6,5.6 10.4,10.4 line 10.4,5.6 5.6,10.4"
for n in "${SIZES[@]}"; do
    mark "$work/mark_live$n.png" "$n" "#34B24C" "#1B6B2B"
    mark "$work/mark_refused$n.png" "$n" "#F5A623" "#9A6200"
    mark "$work/mark_stopped$n.png" "$n" "#B8B8B8" "#6E6E6E"
    mark "$work/mark_missing$n.png" "$n" "#FCEAEA" "#C62828" "$MISSING"
    strip "$here/marks$n.bmp" "$work/mark_live$n.png" "$work/mark_refused$n.png" "$work/mark_stopped$n.png" \
        "$work/mark_missing$n.png"
done

# ---------------------------------------------------------------------------
# Hotkey editor window icon, at the small-icon sizes and at 32 and 48 px: the
# badge with a pencil in place of its bolt. The pencil runs from the eraser at
# the top right down to the point at the lower left; it is drawn along the x
# axis and turned into place.

# pencil SIZE OUT
pencil() {
    local n=$1
    local draw
    draw=$(awk -v n="$n" -v ink="$INK" '
    BEGIN {
        # length, half width and where it sits, in pixels of the final icon
        # (a bolder one at 16 px; the larger sizes are the 32 px one scaled)
        if (n <= 16) { L = 11.6; h = 2.0; x = 12.3; y = 3.7; e = 0.8 }
        else {
            f = n / 32
            L = 23.0 * f; h = 3.6 * f; x = 24.4 * f; y = 7.6 * f; e = 1.3 * f
        }
        tip = L * 0.30; lead = tip * 0.36; rub = L * 0.16
        printf "push graphic-context translate %.2f,%.2f rotate 135 ", x, y
        printf "stroke-linejoin round stroke %s stroke-width %.2f ", ink, e
        # the whole outline first, so the parts share one edge
        printf "fill %s polygon 0,%.2f %.2f,%.2f %.2f,0 %.2f,%.2f 0,%.2f ",
            ink, -h, L - tip, -h, L, L - tip, h, h
        printf "stroke none "
        printf "fill #F29BA4 rectangle 0,%.2f %.2f,%.2f ", -h + e / 2, rub, h - e / 2
        printf "fill #B8C0CA rectangle %.2f,%.2f %.2f,%.2f ", rub, -h + e / 2,
            rub + L * 0.07, h - e / 2
        printf "fill #F68B1F rectangle %.2f,%.2f %.2f,%.2f ", rub + L * 0.07,
            -h + e / 2, L - tip, h - e / 2
        printf "fill #F7C51E rectangle %.2f,%.2f %.2f,%.2f ", rub + L * 0.07,
            -h + e / 2, L - tip, -h / 6
        # bare wood of the sharpened end, and the lead
        f = (h - e / 2) / h
        printf "fill #F3D9AE polygon %.2f,%.2f %.2f,%.2f %.2f,0 ",
            L - tip, -h * f, L - tip, h * f, L - e * 0.6
        printf "fill %s polygon %.2f,%.2f %.2f,%.2f %.2f,0 ", ink,
            L - lead, -h * lead / tip, L - lead, h * lead / tip, L
        printf "pop graphic-context"
    }')
    pic "$2" "$n" "$draw"
}

for n in "${SIZES[@]}" 48; do
    badge "$work/ed$n-badge.png" "$n" "#FFFFFF" none "rgba(20,20,24,0.70)" "${RING6[@]}"
    pencil "$n" "$work/ed$n-pencil.png"
    over "$work/ed$n.png" "$work/ed$n-badge.png" "$work/ed$n-pencil.png"
done
ico "$here/editor.ico" "$work/ed16.png" "$work/ed20.png" "$work/ed24.png" "$work/ed32.png" "$work/ed48.png"

# ---------------------------------------------------------------------------
# Action chooser: 17 pictures in one strip at each size, in the order of the
# built-in action numbers. Each is drawn in 16 px coordinates.

# an empty badge, for pictures that put their own sign in its centre
for n in "${SIZES[@]}"; do
    badge "$work/badge$n.png" "$n" "#FFFFFF" none "rgba(20,20,24,0.70)" "${RING6[@]}"
done

# chooser MVG [badge]
#   The next picture, at every size (ch<size>_<number>.png).
chosen=0
chooser() {
    local n out
    for n in "${SIZES[@]}"; do
        out=$(printf '%s/ch%s_%02d.png' "$work" "$n" "$chosen")
        pic "$out" "$n" "$1" 16
        if [ "${2:-}" = badge ]; then
            over "$out" "$work/badge$n.png" "$out"
        fi
    done
    chosen=$((chosen + 1))
}

# 0: unused
chooser "$DOT"

# 1: show quickdex: the badge with an arrow pointing up
chooser "stroke-linejoin round fill $INK stroke $INK stroke-width 0.6
  polygon 8,3.9 11.3,7.6 9.1,7.6 9.1,11.6 6.9,11.6 6.9,7.6 4.7,7.6" badge

# 2: close quickdex: the badge with a red cross
chooser "stroke-linecap round stroke #D42A22 stroke-width 2.1
  line 5.6,5.6 10.4,10.4 line 10.4,5.6 5.6,10.4" badge

# 3: paint: a palette with a thumb hole and dabs of the badge's colours
chooser "stroke-linejoin round fill #F1D3A1 stroke #8A5A24 stroke-width 1
  fill-rule evenodd
  path 'M 8.3,1.8 C 12.8,1.6 15.3,4.6 14.6,8.2 C 14.0,11.4 11.6,11.0 10.6,12.0
        C 9.6,13.2 10.8,14.6 7.8,14.6 C 3.8,14.6 1.4,11.8 1.4,8.2
        C 1.4,4.6 4.4,2.0 8.3,1.8 Z
        M 6.8,10.9 A 1.35,1.35 0 1,0 4.1,10.9 A 1.35,1.35 0 1,0 6.8,10.9 Z'
  stroke none
  fill ${RING6[0]} circle 5.0,6.6 5.0,5.1
  fill ${RING6[2]} circle 8.3,4.8 8.3,3.3
  fill ${RING6[3]} circle 11.6,6.0 11.6,4.5
  fill ${RING6[4]} circle 11.5,9.4 11.5,7.9"

# 4: notepad: a ruled pad with a blue binding across the top
chooser "stroke-linejoin round
  fill #FFFFFF stroke $EDGE stroke-width 1
  rectangle 2.5,2.5 13.5,14.5
  fill #1E84E0 rectangle 2.5,2.5 13.5,4.5
  stroke none fill $INK
  rectangle 4,1 5,4  rectangle 7,1 8,4  rectangle 10,1 11,4
  fill $RULE
  rectangle 4,7 12,8  rectangle 4,9 12,10  rectangle 4,11 12,12  rectangle 4,13 9,14"

# 5: wordpad: a page with a big blue letter A over its lower left
chooser "$PAGE
  fill $RULE stroke none
  rectangle 9,8 11,9  rectangle 10,10 11,11
  stroke-linejoin round fill #1E5FC0 stroke #FFFFFF stroke-width 1
  polygon 0.6,15.4 4.2,5.1 6.8,5.1 10.4,15.4 7.6,15.4 6.9,13.3 4.1,13.3 3.4,15.4
  stroke none fill #FFFFFF polygon 4.6,11.3 6.4,11.3 5.5,8.4"

# 6: calculator: a dark body, a green display and three rows of keys
chooser "fill $EDGE stroke #2C323B stroke-width 1
  roundrectangle 2.5,0.5 13.5,15.5 1.2,1.2
  stroke none fill #C6E8C2 rectangle 4,2 12,5
  fill #E9ECEF
  rectangle 4,6 6,8  rectangle 7,6 9,8  rectangle 10,6 12,8
  rectangle 4,9 6,11  rectangle 7,9 9,11  rectangle 10,9 12,11
  rectangle 4,12 6,14  rectangle 7,12 9,14
  fill ${RING6[1]} rectangle 10,12 12,14"

# 7: command prompt: a black window with a prompt in it
chooser "fill #101214 stroke $EDGE stroke-width 1
  rectangle 0.5,1.5 15.5,14.5
  stroke none fill #8C96A3 rectangle 1,2 15,4
  fill none stroke #FFFFFF stroke-width 1.6 stroke-linecap square stroke-linejoin miter
  polyline 3.4,6.4 6.2,8.9 3.4,11.4
  stroke none fill #FFFFFF rectangle 7.5,11 12,12.4"

# 8: shut down: a red power sign with a dark edge; the ring is open at the
# top, where the bar comes down into it
power() {  # power COLOUR WIDTH
    local c=$1 w=$2
    awk -v c="$c" -v w="$w" -v ring="$(sector 8 8.95 5.4 "$w" -57.5 237.5)" '
    function dot(x, y) { return sprintf("circle %.3f,%.3f %.3f,%.3f ", x, y, x + w / 2, y) }
    function ang(a) { return a * atan2(0, -1) / 180 }
    BEGIN {
        printf "fill %s stroke none %s ", c, ring
        printf "%s", dot(8 + 5.4 * cos(ang(-57.5)), 8.95 + 5.4 * sin(ang(-57.5)))
        printf "%s", dot(8 + 5.4 * cos(ang(237.5)), 8.95 + 5.4 * sin(ang(237.5)))
        printf "roundrectangle %.3f,%.3f %.3f,%.3f %.3f,%.3f ",
            8 - w / 2, 1.9 - w / 2, 8 + w / 2, 7.6 + w / 2, w / 2, w / 2
    }'
}
chooser "$(power "#8E1C16" 3.6) $(power "#E8392F" 2.0)"

# 9: cd-rom: a silver disc with a rainbow sheen and a hole in the middle
chooser "stroke none fill-rule evenodd
  fill #7A828C
  path 'M 15.5,8 A 7.5,7.5 0 1,0 0.5,8 A 7.5,7.5 0 1,0 15.5,8 Z
        M 9.4,8 A 1.4,1.4 0 1,0 6.6,8 A 1.4,1.4 0 1,0 9.4,8 Z'
  fill #DCE1E7
  path 'M 14.6,8 A 6.6,6.6 0 1,0 1.4,8 A 6.6,6.6 0 1,0 14.6,8 Z
        M 9.4,8 A 1.4,1.4 0 1,0 6.6,8 A 1.4,1.4 0 1,0 9.4,8 Z'
  fill #A8D8F5 path 'M 8,8 L 14.4,6.3 A 6.6,6.6 0 0,1 13.1,12.2 Z'
  fill #F7E08A path 'M 8,8 L 13.1,12.2 A 6.6,6.6 0 0,1 9.7,14.4 Z'
  fill #F4B6C8 path 'M 8,8 L 1.6,9.7 A 6.6,6.6 0 0,1 2.9,3.8 Z'
  fill #FFFFFF path 'M 8,8 L 2.9,3.8 A 6.6,6.6 0 0,1 6.3,1.6 Z'
  fill #9AA3AD
  path 'M 10.8,8 A 2.8,2.8 0 1,0 5.2,8 A 2.8,2.8 0 1,0 10.8,8 Z
        M 9.4,8 A 1.4,1.4 0 1,0 6.6,8 A 1.4,1.4 0 1,0 9.4,8 Z'"

# 10: web: a blue globe with lines of latitude and longitude
chooser "fill #1E84E0 stroke #0F4F8F stroke-width 1 circle 8,8 8,0.5
  fill none stroke #CFE7FF stroke-width 0.9
  ellipse 8,8 2.9,6.9 0,360
  line 8,1.2 8,14.8
  line 1.2,8 14.8,8
  line 2.6,4.6 13.4,4.6
  line 2.6,11.4 13.4,11.4"

# 11: restart: a green arrow going round clockwise, its head at the top
chooser "stroke none
  fill #17692A $(sector 8 8.6 5 3.4 6 265)
  fill #35A84A $(sector 8 8.6 5 1.9 10 265)
  stroke-linejoin round stroke #17692A stroke-width 0.9
  $(head 8 8.6 5 264 2.7 3.4)"

# 12: control panel: a panel with three sliders
chooser "fill #E9ECEF stroke $EDGE stroke-width 1
  roundrectangle 0.5,1.5 15.5,14.5 1,1
  stroke none fill #6B7380
  rectangle 3,4 4,12  rectangle 7,4 8,12  rectangle 11,4 12,12
  stroke #2C323B stroke-width 0.8
  fill ${RING6[0]} rectangle 1.9,8.9 5.1,11.1
  fill ${RING6[3]} rectangle 5.9,3.9 9.1,6.1
  fill ${RING6[4]} rectangle 9.9,6.9 13.1,9.1"

# 13: add or remove programs: a box with a green plus and a red minus
chooser "stroke-linejoin round stroke #7A4E1C stroke-width 1
  fill #D9A35E polygon 0.5,7.5 3.5,4.5 11.5,4.5 11.5,14.5 0.5,14.5
  fill #C08540 polygon 0.5,7.5 3.5,4.5 11.5,4.5 8.5,7.5
  fill #E8BD7E rectangle 0.5,7.5 8.5,14.5
  fill none line 8.5,7.5 8.5,14.5
  stroke none fill #B98040 rectangle 4,8 5,14
  stroke #17692A stroke-width 0.9 fill #35A84A
  polygon 11.7,0.6 13.3,0.6 13.3,2.7 15.4,2.7 15.4,4.3 13.3,4.3 13.3,6.4 11.7,6.4 11.7,4.3 9.6,4.3 9.6,2.7 11.7,2.7
  stroke #8E1C16 fill #E8392F
  rectangle 9.6,10.7 15.4,12.3"

# 14: system: a monitor with a plain blue desktop
chooser "$MONITOR
  stroke none fill #2F6FB7 rectangle 3,3 13,11
  fill #5A94D6 rectangle 3,3 13,5"

# 15: display: the same monitor, its screen in the badge's six colours
chooser "$MONITOR
  stroke none
  fill ${RING6[0]} rectangle 3,3 5,11
  fill ${RING6[1]} rectangle 5,3 6.7,11
  fill ${RING6[2]} rectangle 6.7,3 8.3,11
  fill ${RING6[3]} rectangle 8.3,3 10,11
  fill ${RING6[4]} rectangle 10,3 11.5,11
  fill ${RING6[5]} rectangle 11.5,3 13,11"

# 16: unused
chooser "$DOT"

# One strip a size: 272 x 16, 340 x 20, 408 x 24, 544 x 32.
for n in "${SIZES[@]}"; do
    strip "$here/chooser$(suffix "$n").bmp" "$work/ch${n}_"*.png
done

# ---------------------------------------------------------------------------
# About banner, 300 x 60: the badge, the name and a line under it on a light
# gradient, with the badge's six colours as a thin stripe along the bottom.

FONT_BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

badge "$work/badge48.png" 48 "#FFFFFF" "$INK" "rgba(20,20,24,0.70)" "${RING6[@]}"

stripe=()
for c in "${RING6[@]}"; do
    stripe+=(-size 50x3 "xc:$c")
done

"$IM" -size 300x60 gradient:"#FBFCFE"-"#DFE7F1" \
    "$work/badge48.png" -geometry +8+5 -compose over -composite \
    \( "${stripe[@]}" +append \) -geometry +0+57 -compose over -composite \
    -font "$FONT_BOLD" -pointsize 30 -fill "$INK" -annotate +66+34 "quickdex" \
    -font "$FONT" -pointsize 11 -fill "#56606C" \
    -annotate +67+50 "one key for everything you start" \
    -alpha off -colorspace sRGB -type TrueColor -depth 8 \
    "PNG24:$work/banner.png"

mkdir -p "$here/test"
"$IM" "$work/banner.png" -strip -quality 90 -sampling-factor 1x1 \
    -interlace none -type TrueColor "JPEG:$here/banner.jpg"
"$IM" "$work/banner.png" -strip -quality 90 -sampling-factor 1x1 \
    -interlace JPEG -type TrueColor "JPEG:$here/test/banner_progressive.jpg"
"$IM" "$work/banner.png" -strip -quality 90 -interlace none \
    -colorspace Gray -type Grayscale "JPEG:$here/test/banner_gray.jpg"
