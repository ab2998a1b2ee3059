#!/usr/bin/env bash
# wlanmon.exe as a Windows user meets it, under Wine: Xvfb, trayer, Wine's explorer docking the
# notification icon, the virtual adapter inside the program (--virtual-adapter). Checks that the
# icon appears and turns green on association, that a double click opens the window, that
# Ctrl+Tab walks all five pages (a screenshot of each), that the hidden frame is found by its
# title and refuses a second start, and that "Exit" from the icon's menu ends the program.
# E2E_DISPLAY picks the X display (default: a free one); WIN_SHOTS keeps the screenshots there.
# Usage: tray_win_e2e.sh WLANMON.EXE FIND_WINDOW.EXE
set -euo pipefail
mon=$1
find_window=$2
here=$(dirname "$0")
. "$here/../e2e/e2e_lib.sh"
. "$here/wine_lib.sh"
trap 'stop_wine; e2e_cleanup' EXIT
shots=${WIN_SHOTS:-$work/shots}
mkdir -p "$shots"
fail() {
  import -window root "$shots/failure.png" 2>/dev/null || true
  echo "FAIL: $*"
  echo "-- windows:"; xwininfo -root -tree 2>/dev/null | grep -v 'has no name' | head -30
  echo "-- wlanmon log:"; cat "$work/mon.log" 2>/dev/null || true
  exit 1
}

start_display 800x600 || fail "Xvfb did not start"
start_tray || fail "trayer did not start"
start_wine || fail "the Wine prefix could not be made"
GREEN='srgb(46,160,67)'
main='Wireless LAN Monitor/Configuration Utility'
frame='Netvane Wireless LAN Monitor'
window_id() { xdotool search --name "$main" 2>/dev/null | head -1; }
window_open() { [ -n "$(window_id)" ]; }

wine "$mon" --virtual-adapter >"$work/mon.log" 2>&1 & mon_pid=$!; pids+=($mon_pid)
one_icon() { [ "$(wine_icons)" = 1 ]; }
within 300 one_icon || fail "no notification icon was docked in the tray"
echo "ok: the notification icon appears in the tray"
within 200 wine_icon_has "$GREEN" || fail "the icon did not turn green on association"
echo "ok: the icon follows the link (green bars once associated)"

wine "$find_window" "$frame" || fail "FindWindowA did not find the hidden frame"
echo "ok: FindWindowA finds the hidden frame \"$frame\""
set +e
timeout 60 wine "$mon" --virtual-adapter >"$work/second.log" 2>&1
second=$?
set -e
[ "$second" -eq 0 ] || fail "the second start ended with $second: $(cat "$work/second.log")"
kill -0 "$mon_pid" 2>/dev/null || fail "the first program ended on the second start"
[ "$(wine_icons)" = 1 ] || fail "$(wine_icons) icons after a second start"
echo "ok: a second start ends and leaves one icon"

read -r w h x y < <(wine_icon_geometry)
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat 2 --delay 80 1
within 100 window_open || fail "a double click did not open the window"
echo "ok: a double click opens \"$main\""
id=$(window_id)
sleep 1  # the first page paints
# No window manager: a click on the window's own background gives it the keyboard.
eval "$(xdotool getwindowgeometry --shell "$id")"
xdotool mousemove $((X + 4)) $((Y + HEIGHT - 4)) click 1
names=(link-info configuration security site-survey about)
for i in 0 1 2 3 4; do
  import -window "$id" "$shots/win-$i-${names[$i]}.png" || fail "no screenshot of page $i"
  [ "$i" -lt 4 ] || break
  xdotool key ctrl+Tab
  sleep 1
done
distinct=$(for f in "$shots"/win-*.png; do identify -format '%#\n' "$f"; done | sort -u | wc -l)
[ "$distinct" = 5 ] || fail "Ctrl+Tab did not show five different pages ($distinct)"
echo "ok: Ctrl+Tab walks the five pages, Site Survey fourth (screenshots in $shots)"
# The window's own background, as on Linux, below the page labels.
bg=$(import -window root -crop "1x1+$((X + 4))+$((Y + HEIGHT - 4))" -depth 8 txt:- 2>/dev/null |
     sed -n 's/^0,0: *\(([0-9,]*)\).*/\1/p')
[ "$bg" = '(198,216,241)' ] || fail "the window's background is $bg"
echo "ok: the window keeps its own colours"

ended() { ! kill -0 "$mon_pid" 2>/dev/null; }
# The icon's menu: a right click (pressed and released apart, as a hand does) opens it beside
# the icon; "Exit", its lower entry, ends the program. (The uninstaller's close request to the
# hidden frame is tried by the installer test.)
menu_geometry() {  # the visible popup titled like the icon: width height x y
  local id
  for id in $(xdotool search --onlyvisible --name '^WLAN Monitor$' 2>/dev/null); do
    xwininfo -id "$id" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
      /Width:/ {w = $NF} /Height:/ {h = $NF} END {print w, h, x, y}'
    return 0
  done
  return 1
}
read -r w h x y < <(wine_icon_geometry)
xdotool mousemove $((x + w / 2)) $((y + h / 2)) mousedown 3 sleep 0.1 mouseup 3
within 100 menu_geometry >/dev/null || fail "a right click on the icon did not open its menu"
read -r mw mh mx my < <(menu_geometry)
xdotool mousemove $((mx + mw / 2)) $((my + mh * 3 / 4)) click 1
within 100 ended || fail "\"Exit\" from the icon's menu did not end the program"
no_icon() { [ "$(wine_icons)" = 0 ]; }
within 50 no_icon || fail "the icon stayed after the program ended"
echo "ok: \"Exit\" from the icon's menu ends the program and removes the icon"
echo "1 passed, 0 failed"
