#!/usr/bin/env bash
# Renders the program's artwork from its vector sources (varnock.svg, the disc icon;
# logo.svg, the logo) at each size the platforms ask for, and makes the Windows icons
# and bitmaps from the very same pixels. The files are committed; run this only to
# change the artwork. Needs rsvg-convert and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
png() { convert "$1" -depth 8 -type TrueColor -define png:color-type=2 \
          -define png:exclude-chunks=date,time "$2"; }

# The icon, for the hicolor theme, the Qt window and the Windows icon groups.
for size in 16 20 24 32 40 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" varnock.svg -o "/tmp/varnock-$size.png"
  png "/tmp/varnock-$size.png" "varnock-$size.png"
done
rm -f varnock-20.png varnock-40.png  # Windows' sizes only: made again below

# The logo at its own size, 100 x 32, and at the scales 1.25, 1.5 and 2.
for scale in 1 1.25 1.5 2; do
  suffix=$([ "$scale" = 1 ] && echo "" || echo "@${scale}x")
  width=$(echo "100 * $scale / 1" | bc) height=$(echo "32 * $scale / 1" | bc)
  rsvg-convert -w "$width" -h "$height" logo.svg -o "/tmp/logo$suffix.png"
  png "/tmp/logo$suffix.png" "logo$suffix.png"
done

# The Windows resources: the file icon the shell shows, at every size Windows asks for
# up to 256, and the window's icon at the caption's sizes from 100% to 200%, each image
# PNG-compressed as Windows keeps them (RGBA, every pixel opaque); and the logo bitmaps,
# 256 colours each, to keep the program small.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 20 24 32 40 48 256; do
  rsvg-convert -w "$size" -h "$size" varnock.svg -o "$tmp/$size-rendered.png"
  convert "$tmp/$size-rendered.png" -depth 8 -define png:color-type=6 \
    -define png:exclude-chunks=date,time "$tmp/$size.png"
done
./make_ico.py file_icon.ico "$tmp"/{16,20,24,32,40,48,256}.png
./make_ico.py app_icon.ico "$tmp"/{16,20,24,32}.png
for suffix in "" @1.25x @1.5x @2x; do
  convert "logo$suffix.png" -colors 256 -type Palette "BMP3:logo$suffix.bmp"
done

# The page's icons: for the web app manifest at 192 and 512 (and a maskable one, whose
# disc stays inside the circle every mask keeps), the home screen of iOS at 180 and the
# browser tab (favicon.ico). 32 colours each, to keep the page small: the icon has six.
sed -e 's|<circle|<circle transform="translate(24 24) scale(0.8) translate(-24 -24)"|' \
  -e 's|<!--.*-->|<!-- The icon with room round it for the masks of launchers. -->|' varnock.svg > "$tmp/maskable.svg"
web_png() {
  rsvg-convert -w "$2" -h "$2" "$1" -o "$tmp/web.png"
  convert "$tmp/web.png" -colors 32 -define png:exclude-chunks=date,time "PNG8:$3"
}
web_png varnock.svg 192 web-192.png
web_png varnock.svg 512 web-512.png
web_png "$tmp/maskable.svg" 512 web-maskable-512.png
web_png varnock.svg 180 apple-touch-icon.png
web_png varnock.svg 16 "$tmp/favicon-16.png"
web_png varnock.svg 32 "$tmp/favicon-32.png"
./make_ico.py favicon.ico "$tmp"/favicon-{16,32}.png
