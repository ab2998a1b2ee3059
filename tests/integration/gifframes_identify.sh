#!/usr/bin/env bash
# gifframes against an independent decoder: ImageMagick makes animated GIFs (delays, every
# disposal, frame sizes and offsets, looping and comment extensions, noisy frames with long
# sub-block chains and colour tables of their own) and `identify -format` must agree with
# gifframes on the frame count, geometry, delays and disposal. A cut file is refused.
# Usage: gifframes_identify.sh GIFFRAMES
set -euo pipefail
gifframes=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

make_gifs() {
  convert -loop 0 -comment "made by a test" \
    -delay 10 -dispose None -page 40x30+0+0 -size 40x30 xc:red \
    -delay 50 -dispose Background -page 40x30+5+7 -size 8x6 xc:blue \
    -delay 0 -dispose Previous -page 40x30+30+20 -size 10x10 xc:green \
    -delay 255 -dispose Undefined -page 40x30+1+2 -size 3x4 gradient:white-black \
    "$work/dispose.gif"
  convert -delay 4 -page 300x200+0+0 -size 300x200 xc:white +noise Random \
    -delay 500 -page 300x200+17+33 -size 120x90 plasma:fractal \
    -delay 65535 -dispose Background -page 300x200+299+199 -size 1x1 xc:navy \
    -delay 7 -dispose Previous -page 300x200+100+0 -size 200x200 gradient:yellow-purple \
    "$work/noise.gif"
  convert -delay 20 -size 134x122 xc:white -size 134x122 xc:black -size 134x122 xc:gray50 \
    -size 134x122 xc:orange -size 134x122 xc:teal "$work/five.gif"
  convert -size 64x48 plasma:fractal "$work/single.gif"
}

dispose_number() {
  case $1 in Undefined) echo 0 ;; None) echo 1 ;; Background) echo 2 ;; Previous) echo 3 ;;
             *) echo "?$1" ;; esac
}

compare() {
  local gif=$1 expected actual
  expected=$(identify -format '%s %X %Y %w %h %T %D\n' "$gif" |
             while read -r i x y w h t d; do
               echo "$i $((x)) $((y)) $w $h $t $(dispose_number "$d")"
             done)
  actual=$("$gifframes" "$gif") || fail "gifframes refused $gif"
  [ "$expected" = "$actual" ] ||
    fail "$(basename "$gif"): identify says"$'\n'"$expected"$'\n'"gifframes says"$'\n'"$actual"
  echo "ok: $(basename "$gif"), $(echo "$actual" | wc -l) frames agree"
}

make_gifs
for gif in "$work"/*.gif; do compare "$gif"; done

# A file cut short inside a frame is refused with a reason, after the whole frames before it.
size=$(stat -c %s "$work/noise.gif")
head -c $((size / 2)) "$work/noise.gif" >"$work/cut.gif"
if "$gifframes" "$work/cut.gif" >"$work/cut.out" 2>"$work/cut.err"; then
  fail "a cut file was accepted"
fi
grep -q 'refused: .* runs past the end of the data' "$work/cut.err" ||
  fail "no reason given: $(cat "$work/cut.err")"
echo "ok: a cut file is refused: $(cat "$work/cut.err")"
"$gifframes" "$work/missing.gif" 2>/dev/null && fail "a missing file was accepted"
echo "ok: a missing file is refused"
