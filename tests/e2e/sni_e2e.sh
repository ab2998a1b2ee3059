#!/usr/bin/env bash
# The tray program under a StatusNotifierItem host, as KDE Plasma, LXQt, GNOME's AppIndicator
# extension, Xfce and Wayland bars run it: a private session bus with Debian's
# status-notifier-watcher and a small host (sni_host.py) that finds the item, reads its title,
# icon name and tooltip, and activates it. One activation opens the configuration window, a
# second leaves that one window. The hidden frame carries its title and stops a second start.
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
  exit 1
}

start_display 800x600 || fail "Xvfb did not start"
status-notifier-watcher >"$work/watcher.log" 2>&1 & pids+=($!)
watcher_up() { dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
               org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher |
               grep -q 'boolean true'; }
within 100 watcher_up || fail "status-notifier-watcher did not take its name"

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

"$sim" --virtual-clock >"$work/sim.log" 2>&1 & pids+=($!)
within 50 "$sim" ctl state >/dev/null 2>&1 || fail "wlansim did not start"
QT_LOGGING_RULES="${NV_LOG_RULES:-}" "$mon" >"$work/mon.log" 2>&1 & pids+=($!)

item_shows() { props=$(ask props) && [ "$(field "$props" tooltip)" = "$1" ]; }
within 100 item_shows $'WLAN Monitor\nNo Connect' || fail "no item with the tooltip; last: $props"
[ "$(field "$props" title)" = "WLAN Monitor" ] || fail "item title: $props"
[ "$(field "$props" icon)" = "wlanmon-136" ] || fail "item icon name: $props"
echo "ok: the item registers with title, icon name and tooltip"

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
[ "$(ask activate)" = true ] || fail "no item to activate"
within 50 one_window || fail "one activation did not open the configuration window"
echo "ok: one activation opens the configuration window"
[ "$(ask activate)" = true ] || fail "the item went away"
ask props >/dev/null || fail "the item stopped answering"  # the activation has been handled
one_window || fail "$(visible "$window") configuration windows after a second activation"
echo "ok: a second activation leaves one window"
echo "1 passed, 0 failed"
