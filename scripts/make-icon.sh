#!/usr/bin/env bash
# Draws the program icon (resources/Vantrel.ico): a calendar page with a red
# header and a tick, at 48 by 48, 32 by 32 and 16 by 16 pixels. Run it again
# after changing the drawing; the .ico it writes is kept in the tree so that a
# Windows build needs no ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

size=32
# One coordinate given in 32ths of the picture, rounded to a pixel.
p() { echo $(( ($1 * size + 16) / 32 )); }

draw() {
  size=$1
  convert -size "${size}x${size}" xc:none \
    -fill '#2b4f8c' -draw "roundrectangle 0,0 $(p 31),$(p 31) $(p 4),$(p 4)" \
    -fill white -draw "rectangle $(p 4),$(p 7) $(p 27),$(p 27)" \
    -fill '#d23c32' -draw "rectangle $(p 4),$(p 4) $(p 27),$(p 10)" \
    -stroke '#1f8a3a' -strokewidth "$(p 3)" -fill none \
    -draw "stroke-linecap round stroke-linejoin round polyline $(p 9),$(p 18) $(p 14),$(p 23) $(p 23),$(p 13)" \
    "PNG32:$work/icon-$size.png"
}

draw 48
draw 32
draw 16
convert "$work/icon-48.png" "$work/icon-32.png" "$work/icon-16.png" "$root/resources/Vantrel.ico"
echo "$root/resources/Vantrel.ico"
