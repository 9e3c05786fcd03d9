#!/usr/bin/env bash
# Draws the program icon (resources/Vantrel.ico): a calendar page with a red
# header and a tick, at 48 by 48, 32 by 32 and 16 by 16 pixels; and the icon
# of its documents (resources/VantrelDocument.ico): a sheet with a folded
# corner carrying the same calendar page, at 16, 32, 48 and 256 pixels (the
# largest stored as PNG, as Explorer's large views expect). Run it again
# after changing the drawing; the .ico files it writes are kept in the tree so
# that a Windows build needs no ImageMagick.
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

# The program's mark on a sheet of paper, so that a document looks like a
# document first and like ours second. The mark sits low and right, where
# the sheet's fold leaves room, and keeps its colours at 16 pixels.
draw_document() {
  size=$1
  convert -size "${size}x${size}" xc:none \
    -stroke '#5a6270' -strokewidth "$(( (size + 31) / 32 ))" -fill white \
    -draw "polygon $(p 4),$(p 1) $(p 20),$(p 1) $(p 27),$(p 8) $(p 27),$(p 30) $(p 4),$(p 30)" \
    -fill '#d5dae3' -draw "polygon $(p 20),$(p 1) $(p 20),$(p 8) $(p 27),$(p 8)" \
    -stroke none -fill '#2b4f8c' -draw "roundrectangle $(p 8),$(p 12) $(p 25),$(p 28) $(p 2),$(p 2)" \
    -fill white -draw "rectangle $(p 10),$(p 16) $(p 23),$(p 26)" \
    -fill '#d23c32' -draw "rectangle $(p 10),$(p 14) $(p 23),$(p 17)" \
    -stroke '#1f8a3a' -strokewidth "$(p 2)" -fill none \
    -draw "stroke-linecap round stroke-linejoin round polyline $(p 12),$(p 21) $(p 15),$(p 24) $(p 21),$(p 18)" \
    "PNG32:$work/document-$size.png"
}

draw 48
draw 32
draw 16
convert "$work/icon-48.png" "$work/icon-32.png" "$work/icon-16.png" "$root/resources/Vantrel.ico"
echo "$root/resources/Vantrel.ico"

for s in 256 48 32 16; do draw_document "$s"; done
convert "$work"/document-{256,48,32,16}.png "$root/resources/VantrelDocument.ico"
echo "$root/resources/VantrelDocument.ico"
