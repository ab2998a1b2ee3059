#!/usr/bin/env bash
# Makes the Windows program's pictures from the Linux build's drawing code: the icons (one
# .ico per resource number, 16 to 48 pixels) and the Site Survey lists' strip (bitmap 155, 8
# bits per pixel), and the labels' hand cursor. The results are kept in this folder, since the
# cross build has no Qt to draw them. Run again after a change to the drawings:
#   bash resources/win/make.sh build/lin      (a Linux build with wlanmon_icons, wlanmon_list_strip)
set -euo pipefail
build=${1:?usage: make.sh LINUX-BUILD-FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --build "$build" --target wlanmon_icons wlanmon_list_strip >/dev/null
QT_QPA_PLATFORM=offscreen "$build/shell/wlanmon_icons" "$work/hicolor"
for n in 128 132 133 134 135 136 153 157 158 159 160; do
  if [ "$n" = 128 ]; then name=apps/wlanmon; else name=status/wlanmon-$n; fi
  convert "$work"/hicolor/{16x16,24x24,32x32,48x48}/$name.png "$here/icon-$n.ico"
done
QT_QPA_PLATFORM=offscreen "$build/ui/wlanmon_list_strip" "$work/strip.bmp"
convert "$work/strip.bmp" -type Palette -depth 8 -compress none BMP3:"$here/list-images.bmp"
python3 "$here/make_cursor.py" "$here/hand.cur"
