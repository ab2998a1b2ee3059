#!/usr/bin/env bash
# The tray program under a StatusNotifierItem host, as KDE Plasma, LXQt, GNOME's AppIndicator
# extension, Xfce and Wayland bars run it: a private session bus with Debian's
# status-notifier-watcher and a small host (sni_host.py) that finds the item, reads its title,
# icon name, tooltip and menu, activates it and clicks its menu. The host starts after the
# monitor, as a panel often does at log-in, and the watcher restarts, as it does when a panel
# crashes: the item is there each time. One activation opens the configuration window, a second
# start or the menu's "Open" too; a second activation leaves that one window; without the
# adapter "No Card Found" comes as a desktop notification. The hidden frame carries its title
# and stops a second start that does not share the lock.
# Usage: sni_e2e.sh WLANSIM WLANMON
set -euo pipefail
if [ -z "${NV_SNI_SESSION:-}" ]; then  # a bus of our own, gone when the test ends
  NV_SNI_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
sim=$1
mon=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e_lib.sh"
# The drawn icons where an installation would put them, so the item can name them.
mkdir -p "$work/share/icons"
ln -s "$(cd "$(dirname "$mon")" && pwd)/hicolor" "$work/share/icons/hicolor"
export XDG_DATA_DIRS=$work/share:/usr/local/share:/usr/share
fail() {
  echo "FAIL: $*"
  echo "-- wlanmon log:"; cat "$work/mon.log" 2>/dev/null || true
  echo "-- watcher log:"; cat "$work/watcher.log" 2>/dev/null || true
  echo "-- host log:"; cat "$work/host.log" 2>/dev/null || true
  exit 1
}

start_display 800x600 || fail "Xvfb did not start"
watcher_up() { dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
               org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher |
               grep -q 'boolean true'; }
start_watcher() {
  status-notifier-watcher >>"$work/watcher.log" 2>&1 & watcher_pid=$!; pids+=($watcher_pid)
  within 100 watcher_up
}
start_watcher || fail "status-notifier-watcher did not take its name"
start_sim --virtual-clock || fail "wlansim did not start"
QT_LOGGING_RULES="${NV_LOG_RULES:-}" "$mon" >"$work/mon.log" 2>&1 & pids+=($!)
waiting() { grep -q "no system tray is available" "$work/mon.log"; }
within 100 waiting || fail "wlanmon did not say it waits for a tray"

coproc HOST { exec /usr/bin/python3 "$here/sni_host.py" 2>"$work/host.log"; }
pids+=($HOST_PID)
ask() {  # one command to the host, its JSON answer on stdout (5 s deadline)
  echo "$1" >&"${HOST[1]}"
  local answer
  read -r -t 5 answer <&"${HOST[0]}" || { cat "$work/host.log"; return 1; }
  echo "$answer"
}
read -r -t 10 ready <&"${HOST[0]}" || fail "the host did not register: $(cat "$work/host.log")"
field() { /usr/bin/python3 -c 'import json,sys; d=json.loads(sys.argv[1]); print((d or {}).get(sys.argv[2], ""))' "$1" "$2"; }

item_shows() { props=$(ask props) && [ "$(field "$props" tooltip)" = "$1" ]; }
within 100 item_shows $'WLAN Monitor\nNo Connect' || fail "no item after the host came; last: $props"
[ "$(field "$props" title)" = "WLAN Monitor" ] || fail "item title: $props"
[ "$(field "$props" icon)" = "wlanmon-136" ] || fail "item icon name: $props"
echo "ok: a host that starts after the monitor gets the item, with title, icon name and tooltip"
menu='["Open", "Notify on connect", "Exit"]'
[ "$(ask menu)" = "$menu" ] || fail "the item's menu: $(ask menu)"
echo "ok: the item's menu holds Open, Notify on connect and Exit"

xdotool search --name '^Netvane Wireless LAN Monitor$' >/dev/null || fail "no window has the frame's title"
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }
[ "$(visible 'Netvane Wireless LAN Monitor')" = 0 ] || fail "the hidden frame is visible"
set +e
WLANMON_RUNTIME_DIR=$work/other "$mon" >"$work/second.log" 2>&1
second=$?
set -e
[ "$second" -eq 0 ] && grep -q "already running" "$work/second.log" ||
  fail "a second start with its own lock file was not stopped by the title ($second)"
echo "ok: the hidden frame carries the title and stops a second start"

window=Wireless\ LAN\ Monitor/Configuration\ Utility
one_window() { [ "$(visible "$window")" = 1 ]; }
no_window() { [ "$(visible "$window")" = 0 ]; }
# Removing the adapter closes the window; back, the item says so.
close_window() {
  "$sim" ctl remove >/dev/null
  within 50 no_window || fail "removing the adapter did not close the window"
  "$sim" ctl insert >/dev/null
  within 50 item_shows $'WLAN Monitor\nNo Connect' || fail "the adapter is back, the item not: $props"
}
[ "$(ask activate)" = true ] || fail "no item to activate"
within 50 one_window || fail "one activation did not open the configuration window"
echo "ok: one activation opens the configuration window"
close_window

"$mon" >"$work/second.log" 2>&1 || fail "a second start ended with $?: $(cat "$work/second.log")"
within 50 one_window || fail "a second start did not open the window: $(cat "$work/second.log")"
echo "ok: a second start opens the window of the running program and ends with 0"
[ "$(ask activate)" = true ] || fail "the item went away"
ask props >/dev/null || fail "the item stopped answering"  # the activation has been handled
one_window || fail "$(visible "$window") configuration windows after a second activation"
echo "ok: an activation with the window open leaves one window"
close_window

[ "$(ask 'click Open')" = true ] || fail "no Open in the item's menu"
within 50 one_window || fail "the menu's Open did not open the window"
echo "ok: the menu's Open opens the window"

# Without the adapter an activation opens nothing; the tooltip's "No Card Found" goes out as
# a desktop notification.
"$sim" ctl remove >/dev/null
within 50 no_window || fail "removing the adapter did not close the window"
within 50 item_shows $'WLAN Monitor\nNo Card Found' || fail "the item does not say No Card Found: $props"
[ "$(ask activate)" = true ] || fail "the item went away"
noticed() { [ "$(ask notices)" = '[["WLAN Monitor", "No Card Found"]]' ]; }
within 50 noticed || fail "no \"No Card Found\" notification: $(ask notices)"
no_window || fail "an activation without the adapter opened the window"
echo "ok: an activation without the adapter sends \"No Card Found\" as a notification"
"$sim" ctl insert >/dev/null

kill "$watcher_pid"
watcher_gone() { ! watcher_up; }
within 50 watcher_gone || fail "the watcher did not end"
start_watcher || fail "status-notifier-watcher did not start again"
[ "$(ask register)" = true ] || fail "the host could not register again"
within 100 item_shows $'WLAN Monitor\nNo Connect' || fail "no item after the watcher restarted; last: $props"
[ "$(ask menu)" = "$menu" ] || fail "the item's menu after the restart: $(ask menu)"
echo "ok: after a watcher restart the item is registered again"

# Link notices are off unless asked for: the adapter's going above told nothing of itself.
# Turned on from the menu, the next changes come as desktop notifications.
[ "$(ask notices)" = '[["WLAN Monitor", "No Card Found"]]' ] || fail "unasked notices: $(ask notices)"
[ "$(ask 'checked Notify on connect')" = false ] || fail "Notify on connect is not off at first"
[ "$(ask 'click Notify on connect')" = true ] || fail "no Notify on connect in the item's menu"
notify_on() { [ "$(ask 'checked Notify on connect')" = true ]; }
within 50 notify_on || fail "Notify on connect did not take its check mark"
"$sim" ctl remove >/dev/null
within 50 item_shows $'WLAN Monitor\nNo Card Found' || fail "the item does not say No Card Found: $props"
"$sim" ctl insert >/dev/null
"$sim" ctl step 3000 >/dev/null
told() { [ "$(ask notices)" = '[["WLAN Monitor", "No Card Found"], ["WLAN Monitor", "No Card Found"], ["WLAN Monitor", "Connected to Wireless"]]' ]; }
within 50 told || fail "the link notices: $(ask notices)"
echo "ok: with Notify on connect, the adapter's going and the association are notified"
echo "1 passed, 0 failed"
