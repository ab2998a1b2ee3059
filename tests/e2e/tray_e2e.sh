#!/usr/bin/env bash
# The tray program as a person meets it: Xvfb, a real tray host (trayer) that starts after the
# monitor, wlansim with the virtual clock, wlanmon. Checks by screenshot pixels that the icon
# appears once the tray comes and follows the link, that the menu's "Open" opens the window and
# a double-click, with the window open and covered, brings it to the front again, that removing
# the adapter closes it and crosses the icon out, that a double-click without the adapter shows
# "No Card Found" as a notice, that a second start leaves one icon and, with the adapter back,
# opens the window, and that Exit, chosen while the window is open, ends the program.
# E2E_DISPLAY picks the X display (default: a free one).
# Usage: tray_e2e.sh WLANSIM WLANMON
set -euo pipefail
sim=$1
mon=$2
. "$(dirname "$0")/e2e_lib.sh"
fail() {
  echo "FAIL: $*"
  echo "-- adapter state: $("$sim" ctl state 2>&1)"
  echo "-- wlanmon log:"; cat "$work/mon.log" 2>/dev/null || true
  echo "-- tray icon colours:"
  if read -r w h x y < <(icon_geometry); then
    import -window root -crop "${w}x${h}+${x}+${y}" -format %c histogram:info:- 2>&1 | head -5
  fi
  exit 1
}

start_display 800x600 || fail "Xvfb did not start"
start_sim --virtual-clock || fail "wlansim did not start"

icons() { icon_windows | grep -c . || true; }
icon_has() {  # a colour, srgb(R,G,B), somewhere in the tray icon
  read -r w h x y < <(icon_geometry) || return 1
  import -window root -crop "${w}x${h}+${x}+${y}" txt:- 2>/dev/null | grep -F "$1" >/dev/null  # reads all: no SIGPIPE
}
window_open() { xdotool search --name 'Wireless LAN Monitor/Configuration Utility' >/dev/null 2>&1; }
GREEN='srgb(46,160,67)'; YELLOW='srgb(227,179,65)'; RED='srgb(215,58,73)'

"$mon" >"$work/mon.log" 2>&1 & mon_pid=$!; pids+=($mon_pid)
waiting() { grep -q "no system tray is available" "$work/mon.log"; }
within 100 waiting || fail "wlanmon did not say it waits for a tray"
start_tray || fail "trayer did not start"
one_icon() { [ "$(icons)" = 1 ]; }
within 100 one_icon || fail "no tray icon appeared"
echo "ok: a tray that starts after the monitor gets the icon"
icon_has "$GREEN" && fail "green bars before any association"
"$sim" ctl step 3000 >/dev/null
within 40 icon_has "$GREEN" || fail "the icon did not turn green on association"
echo "ok: associated shows green bars"
"$sim" ctl network signal 00:0A:F5:10:00:01 40 >/dev/null
within 40 icon_has "$YELLOW" || fail "the icon did not turn yellow as the link degraded"
echo "ok: a degraded link shows yellow bars"

# The icon's menu, opened under the pointer; $1 picks an item by keys ("Down" the first,
# "Up" the last). A busy machine may open the menu late: the caller tries again.
menu_pick() {
  read -r w h x y < <(icon_geometry) || return 1
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
  sleep 0.5  # the menu opens under the pointer
  xdotool key "$1" Return
}
for _ in 1 2 3; do
  menu_pick Down
  within 30 window_open && break
done
within 20 window_open || fail "the menu's first item, Open, did not open the configuration window"
echo "ok: the menu's Open opens the window"
read -r w h x y < <(icon_geometry)

# Cover the open window with another one; a double-click on the icon brings it forward.
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | sed -n 's/^0,0: *\(([0-9,]*)\).*/\1/p'; }
read -r wx wy ww wh < <(xwininfo -id "$(xdotool search --name 'Wireless LAN Monitor/Configuration Utility' | head -1)" |
  awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width/ {w=$NF} /Height/ {h=$NF} END {print x, y, w, h}')
px=$((wx + 4)); py=$((wy + wh - 4))  # the window's own background, below the page labels
BACKGROUND='(198,216,241)'
display -size "${ww}x${wh}" -geometry "+${wx}+${wy}" xc:red >/dev/null 2>&1 & cover=$!; pids+=($cover)
covered() { [ "$(pixel $px $py)" = '(255,0,0)' ]; }
within 50 covered || fail "the covering window did not appear"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat 2 --delay 60 1
in_front() { [ "$(pixel $px $py)" = "$BACKGROUND" ]; }
within 50 in_front || fail "double-click did not bring the open window to the front"
[ "$(xdotool search --name 'Wireless LAN Monitor/Configuration Utility' | wc -l)" = 1 ] ||
  fail "a second window opened"
kill "$cover" 2>/dev/null || true
echo "ok: with the window open, double-click brings it to the front"
"$sim" ctl remove >/dev/null
window_closed() { ! window_open; }
within 30 window_closed || fail "removing the adapter did not close the window within two ticks"
within 30 icon_has "$RED" || fail "the icon is not crossed out without the adapter"
echo "ok: removal closes the window and crosses the icon out"

# A double-click without the adapter: no window, the tooltip's "No Card Found" as a notice
# (a shown window of the program's own, taller than the tooltip, smaller than the window).
notice_shown() {
  local id
  for id in $(xdotool search --onlyvisible --classname wlanmon 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$HEIGHT" -ge 60 ] && [ "$WIDTH" -lt 400 ] && return 0
  done
  return 1
}
notice_shown && fail "a notice before the double-click"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat 2 --delay 60 1
within 30 notice_shown || fail "a double-click without the adapter showed nothing"
window_open && fail "a double-click without the adapter opened the window"
echo "ok: a double-click without the adapter shows a notice instead of the window"

set +e
"$mon" >"$work/second.log" 2>&1
second=$?
set -e
[ "$second" -eq 0 ] || fail "the second start ended with $second"
grep -q "already running; no adapter" "$work/second.log" || fail "the second start did not say so"
[ "$(icons)" = 1 ] || fail "$(icons) tray icons after a second start"
window_open && fail "a second start without the adapter opened the window"
echo "ok: a second start without the adapter ends and leaves one icon"

# Back with the adapter, start the program again: the running one opens its window. Then
# choose Exit from the icon's menu while it is open.
"$sim" ctl insert >/dev/null
not_red() { ! icon_has "$RED"; }
within 50 not_red || fail "the icon stayed crossed out after the adapter came back"
"$mon" >"$work/second.log" 2>&1 || fail "a second start ended with $?: $(cat "$work/second.log")"
within 50 window_open || fail "a second start did not open the window"
[ "$(icons)" = 1 ] || fail "$(icons) tray icons after a second start"
echo "ok: a second start opens the window of the running program and ends with 0"
ended() { ! kill -0 "$mon_pid" 2>/dev/null; }
for _ in 1 2 3; do
  menu_pick Up || break
  within 30 ended && break
done
within 20 ended || fail "Exit (chosen with the window open) did not end the program"
[ "$(icons)" = 0 ] || fail "the icon stayed after Exit"
echo "ok: with the window open, the menu's last item, Exit, ends the program and removes the icon"
echo "1 passed, 0 failed"
