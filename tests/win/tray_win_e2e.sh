#!/usr/bin/env bash
# wlanmon.exe as a Windows user meets it, under 32-bit Wine playing Windows XP or 98: Xvfb,
# trayer, Wine's explorer docking the notification icon. First without the virtual adapter and
# with a stand-in W32N50.dll beside the programs: the probe is handed "\Device\" + the
# NetCfgInstanceId on the NT family and the bare instance name on 9x (wlanctl.exe reads the
# stored settings, which asks the probe; the tray's tick, finding no driver, never gets as far). Then with the virtual
# adapter inside the program: the icon docks and turns green; the hidden frame is found by its
# title; a double click opens the window; Ctrl+Tab walks the five pages (a screenshot of each);
# an SSID applied on the Configuration page lands under that family's class root; a second
# start opens the window; "Notify on connect" in the icon's menu turns on the notices wlanctl.exe
# reports; "Exit" from the icon's menu ends the program and its icon.
# E2E_DISPLAY picks the X display (default: a free one); WIN_SHOTS keeps the screenshots there;
# WIN_SCHEME=dark runs it all under a dark desktop scheme.
# Usage: tray_win_e2e.sh WLANMON.EXE WLANCTL.EXE WIN_INSPECT.EXE W32N50.DLL winxp|win98
set -euo pipefail
mon=$1
ctl=$2
inspect=$3
stand_in=$4
version=$5
here=$(dirname "$0")
. "$here/../e2e/e2e_lib.sh"
. "$here/wine_lib.sh"
trap 'stop_wine; e2e_cleanup' EXIT
shots=${WIN_SHOTS:-$work/shots}
mkdir -p "$shots"
fail() {
  import -window root "$shots/$version-failure.png" 2>/dev/null || true
  echo "FAIL ($version): $*"
  echo "-- windows:"; xwininfo -root -tree 2>/dev/null | grep -v 'has no name' | head -30
  exit 1
}

start_display 800x600 || fail "Xvfb did not start"
start_tray || fail "trayer did not start"
start_wine "$version" || fail "the Wine prefix could not be made"
if [ "$version" = win98 ]; then
  root='HKLM\System\CurrentControlSet\Services\Class\Net'
else
  root='HKLM\System\CurrentControlSet\Control\Class\{4d36e972-e325-11ce-bfc1-08002be10318}'
fi
GREEN='srgb(46,160,67)'
main='Wireless LAN Monitor/Configuration Utility'
frame='Netvane Wireless LAN Monitor'
ended() { ! kill -0 "$mon_pid" 2>/dev/null; }

# The probe library: a supported adapter's instance key, and the stand-in beside the program.
guid='{5A1B2C3D-0000-4E5F-8A9B-0C1D2E3F4A5B}'
wine reg add "$root\\0007" /v MatchingDeviceId /t REG_SZ \
  /d 'PCI\VEN_1A2B&DEV_3C4D&SUBSYS_00011A2B' /f >/dev/null 2>&1 || fail "reg add"
wine reg add "$root\\0007" /v NetCfgInstanceId /t REG_SZ /d "$guid" /f >/dev/null 2>&1
mkdir -p "$work/app"
cp "$ctl" "$work/app/wlanctl.exe"
cp "$stand_in" "$work/app/W32N50.dll"
W32N_LOG=$(winepath -w "$work/w32n.log" 2>/dev/null) wine "$work/app/wlanctl.exe" config show \
  >"$work/probe.log" 2>&1 || true
[ -s "$work/w32n.log" ] || fail "W32N_OpenAdapterA was not called: $(cat "$work/probe.log")"
if [ "$version" = win98 ]; then want='0007'; else want="\\Device\\$guid"; fi
[ "$(head -1 "$work/w32n.log" | tr -d '\r')" = "$want" ] ||
  fail "W32N_OpenAdapterA got '$(head -1 "$work/w32n.log")', not '$want'"
echo "ok: W32N_OpenAdapterA receives '$want'"
wine reg delete "$root\\0007" /f >/dev/null 2>&1

wine "$mon" --virtual-adapter >"$work/mon.log" 2>&1 & mon_pid=$!; pids+=($mon_pid)
one_icon() { [ "$(wine_icons)" = 1 ]; }
within 300 one_icon || fail "no notification icon was docked in the tray"
echo "ok: the notification icon appears in the tray"
within 200 wine_icon_has "$GREEN" || fail "the icon did not turn green on association"
echo "ok: the icon follows the link (green bars once associated)"
wine "$inspect" find "$frame" || fail "FindWindowA did not find the hidden frame"
echo "ok: FindWindowA finds the hidden frame \"$frame\""

window_id() { xdotool search --name "$main" 2>/dev/null | head -1; }
window_open() { [ -n "$(window_id)" ]; }
window_closed() { ! window_open; }
read -r w h x y < <(wine_icon_geometry)
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat 2 --delay 80 1
within 100 window_open || fail "a double click did not open the window"
echo "ok: a double click opens \"$main\""
id=$(window_id)
sleep 1  # the first page paints
eval "$(xdotool getwindowgeometry --shell "$id")"
# No window manager: a click on the window's own background gives it the keyboard.
xdotool mousemove $((X + 4)) $((Y + HEIGHT - 4)) click 1
names=(link-info configuration security site-survey about)
# Each page's picture, taken once it differs from the one before (a page is shown at once, but
# drawn when Wine gets to it; a window being drawn can refuse to be read for a moment).
shot() { import -window "$id" "$1" 2>/dev/null && [ "$(identify -format '%#' "$1")" != "${2:-}" ]; }
previous=
for i in 0 1 2 3 4; do
  file="$shots/$version-$i-${names[$i]}.png"
  within 50 shot "$file" "$previous" || fail "no new picture of page $i"
  previous=$(identify -format '%#' "$file")
  [ "$i" -lt 4 ] || break
  xdotool key ctrl+Tab
done
distinct=$(for f in "$shots"/$version-[0-4]-*.png; do identify -format '%#\n' "$f"; done | sort -u | wc -l)
[ "$distinct" = 5 ] || fail "Ctrl+Tab did not show five different pages ($distinct)"
echo "ok: Ctrl+Tab walks the five pages (screenshots in $shots)"
bg=$(import -window root -crop "1x1+$((X + 4))+$((Y + HEIGHT - 4))" -depth 8 txt:- 2>/dev/null |
     sed -n 's/^0,0: *\(([0-9,]*)\).*/\1/p')
[ "$bg" = '(198,216,241)' ] || fail "the window's background is $bg"
echo "ok: the window keeps its own colours"

# The Configuration page (second): an SSID typed and applied lands in the adapter's key.
xdotool key ctrl+Tab ctrl+Tab
sleep 1
wine "$inspect" settext "$main" 1011 "E2E-$version" || fail "no SSID box on the Configuration page"
wine "$inspect" click "$main" 1027 || fail "no Apply button on the Configuration page"
stored() { wine reg query "$root" /s 2>/dev/null | tr -d '\r' | grep -q "dot11DesiredSSID.*E2E-$version"; }
within 100 stored || fail "the applied SSID did not land under $root"
echo "ok: an SSID applied on the Configuration page lands under $root"

# Close box: the window ends; a second start opens it again and ends with 0.
wine "$inspect" syscommand "$main" 0xF060
within 100 window_closed || fail "SC_CLOSE did not end the window"
set +e
timeout 60 wine "$mon" --virtual-adapter >"$work/second.log" 2>&1
second=$?
set -e
[ "$second" -eq 0 ] || fail "the second start ended with $second"
within 100 window_open || fail "a second start did not open the window"
kill -0 "$mon_pid" 2>/dev/null || fail "the first program ended on the second start"
[ "$(wine_icons)" = 1 ] || fail "$(wine_icons) icons after a second start"
echo "ok: a second start opens the window and leaves one icon"
wine "$inspect" syscommand "$main" 0xF060
within 100 window_closed || fail "SC_CLOSE did not end the window"

# The icon's menu: "Open", "Notify on connect", "Exit".
icon_menu() {
  read -r w h x y < <(wine_icon_geometry)
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) mousedown 3 sleep 0.1 mouseup 3
  sleep 1
}
# "Notify on connect" turns the link notices on: the value wlanctl.exe's notify reads.
notify_is() {
  [ "$(wine "$work/app/wlanctl.exe" notify status 2>/dev/null | tr -d '\r')" = "Notify on connect $1" ]
}
notify_is off || fail "link notices were on before the menu turned them on"
icon_menu
xdotool key Up Up Return
within 100 notify_is on || fail "\"Notify on connect\" did not turn the link notices on"
echo "ok: \"Notify on connect\" in the icon's menu turns on the notices wlanctl.exe reports"

# "Exit", its last item, ends the program and takes the icon away.
icon_menu
xdotool key Up Return
within 100 ended || fail "\"Exit\" from the icon's menu did not end the program"
no_icon() { [ "$(wine_icons)" = 0 ]; }
within 50 no_icon || fail "the icon stayed after the program ended"
echo "ok: \"Exit\" from the icon's menu ends the program and removes the icon"
echo "1 passed, 0 failed"
