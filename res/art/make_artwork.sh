#!/usr/bin/env bash
# Draws the program's artwork with ImageMagick: the disc icon at 16 and 48 pixels, the
# logo, and the Windows icons and bitmap made from the very same pixels. The files
# are committed; run this only to change the artwork. 24-bit colour throughout.
set -euo pipefail
cd "$(dirname "$0")"
font=DejaVu-Sans-Bold

# icon SIZE: a recordable disc, seen from above, with its clear hub ring.
icon() {
  local s=$1
  local c=$(( s / 2 )) r=$(( s / 2 - 1 ))
  local hub=$(( s * 3 / 16 + 1 )) hole=$(( s / 16 + 1 ))
  convert -size "${s}x${s}" xc:'#1d3557' \
    -fill '#c9d6e3' -draw "circle $c,$c $c,$(( c - r ))" \
    -fill '#7fa7c9' -draw "circle $c,$c $c,$(( c - r * 3 / 4 ))" \
    -fill '#eef3f8' -draw "circle $c,$c $c,$(( c - hub ))" \
    -fill '#1d3557' -draw "circle $c,$c $c,$(( c - hole ))" \
    -depth 8 -type TrueColor -define png:color-type=2 -define png:exclude-chunks=date,time "varnock-$s.png"
}
icon 16
icon 48

# The logo: the program's name beside a small disc, 100 x 32.
convert -size 100x32 xc:'#1d3557' \
  -fill '#c9d6e3' -draw 'circle 16,16 16,3' \
  -fill '#7fa7c9' -draw 'circle 16,16 16,6' \
  -fill '#eef3f8' -draw 'circle 16,16 16,12' \
  -fill '#1d3557' -draw 'circle 16,16 16,14' \
  -font "$font" -pointsize 14 -fill white -annotate +33+21 'Varnock' \
  -depth 8 -type TrueColor -define png:color-type=2 -define png:exclude-chunks=date,time logo.png

# The Windows resources, from the PNGs above, 24-bit as the template asks: the file icon
# the shell shows (48 and 16 pixels), the window's icon (16) and the logo bitmap.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 48; do convert "varnock-$size.png" -depth 8 -type TrueColor "BMP3:$tmp/$size.bmp"; done
./make_ico.py file_icon.ico "$tmp/48.bmp" "$tmp/16.bmp"
./make_ico.py app_icon.ico "$tmp/16.bmp"
convert logo.png -depth 8 -type TrueColor BMP3:logo.bmp
