#!/usr/bin/env bash
# Draws the About page's picture (GIF resource 150): a PCI wireless card whose antenna sends
# waves, 134 x 122, GIF89a, animated and looping: the card alone, the inner waves, both waves
# (a frame cleared to the background after it, disposal 2), the card again. After the first
# frame only the changed part of the picture is stored. Run it again after changing the
# drawing:   bash resources/about_picture.sh   (needs ImageMagick's convert)
set -euo pipefail
out=${1:-$(dirname "$0")/about.gif}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

card=(
  -fill '#202020' -draw 'rectangle 40,34 44,88'
  -fill '#E03030' -draw 'circle 42,37 42,32'
  -fill '#A8A8B0' -draw 'rectangle 30,86 38,114' -draw 'rectangle 30,86 46,90'
  -fill '#1F7A3A' -draw 'roundrectangle 38,84 126,106 3,3'
  -fill '#D4A017' -draw 'rectangle 50,106 110,112'
  -fill '#1F7A3A' -draw 'rectangle 74,106 77,112'
  -fill '#2B2B2B' -draw 'rectangle 58,88 80,102' -draw 'rectangle 90,90 102,100'
  -fill '#C8C8C8' -draw 'rectangle 108,90 120,96'
  -fill '#1E3C78' -draw 'roundrectangle 70,14 128,70 6,6'
  -fill white -draw 'rectangle 80,50 86,62' -draw 'rectangle 90,42 96,62'
  -draw 'rectangle 100,34 106,62' -draw 'rectangle 110,24 116,62'
  -fill '#9BB8E8' -draw 'rectangle 76,20 122,22'
)
inner=(
  -fill '#3C6EC8'
  -draw 'path "M 30,52 A 12,12 0 0,1 30,24 L 33,28 A 7,7 0 0,0 33,48 Z"'
  -draw 'path "M 54,52 A 12,12 0 0,0 54,24 L 51,28 A 7,7 0 0,1 51,48 Z"'
)
outer=(
  -fill '#1E3C78'
  -draw 'path "M 22,60 A 22,22 0 0,1 22,16 L 24,20 A 18,18 0 0,0 24,56 Z"'
  -draw 'path "M 62,60 A 22,22 0 0,0 62,16 L 60,20 A 18,18 0 0,1 60,56 Z"'
)
draw() { convert -size 134x122 xc:white +antialias -stroke none "$@"; }
# The waves are drawn first, so the antenna stays in front of them.
draw "${card[@]}" "$work/card.png"
draw "${inner[@]}" "${card[@]}" "$work/inner.png"
draw "${outer[@]}" "${inner[@]}" "${card[@]}" "$work/both.png"

waves=88x50+0+14  # the part of the picture the waves change
convert -loop 0 \
  -dispose None -delay 70 "$work/card.png" \
  -delay 30 \( "$work/inner.png" -crop 52x36+16+20 \) \
  -dispose Background -delay 60 \( "$work/both.png" -crop "$waves" \) \
  -dispose None -delay 30 \( "$work/card.png" -crop "$waves" \) \
  +dither -colors 32 -strip "GIF:$out"
