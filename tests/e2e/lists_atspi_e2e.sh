#!/usr/bin/env bash
# The window's drop-down lists as a screen reader reads them, over AT-SPI: on a private session
# bus with the accessibility bus of at-spi2-core, wlanmon's window is opened by a second start;
# lists_atspi.py then presses each page tab and reads every combo box: its name (the label), its
# text (the current entry) and its entries (the list inside it, the current one selected).
# Usage: lists_atspi_e2e.sh WLANSIM WLANMON
set -euo pipefail
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${NV_ATSPI_SESSION:-}" ]; then
  NV_ATSPI_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
sim=$1
mon=$2
here=$(dirname "$0")
. "$here/e2e_lib.sh"
fail() {
  echo "FAIL: $*"
  echo "-- wlanmon log:"; cat "$work/mon.log" 2>/dev/null || true
  echo "-- accessibility bus log:"; cat "$work/atspi.log" 2>/dev/null || true
  exit 1
}

start_display 1024x768 || fail "Xvfb did not start"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 & pids+=($!)
bus_up() { dbus-send --session --print-reply --reply-timeout=1000 --dest=org.a11y.Bus \
             /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; }
within 50 bus_up || fail "the accessibility bus did not start"
start_sim --virtual-clock || fail "wlansim did not start"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
"$mon" >"$work/mon.log" 2>&1 & pids+=($!)
main='Wireless LAN Monitor/Configuration Utility'
window_shown() { xdotool search --name "$main" >/dev/null 2>&1; }
# The first start holds the lock once its hidden frame is there; a second start sent before
# that could take the lock itself and, being the running program, never end.
frame_up() { xdotool search --name '^Netvane Wireless LAN Monitor$' >/dev/null 2>&1; }
within 100 frame_up || fail "the program's hidden frame did not come"
# A second start opens the running program's window (once its channel is up).
# Every step has its own deadline, so a stuck one says which it was.
open_window() { timeout 10 "$mon" >>"$work/mon.log" 2>&1 && within 30 window_shown; }
within 5 open_window || fail "a second start did not open the window"
# Debian's Python, which has pyatspi.
timeout 60 /usr/bin/python3 "$here/lists_atspi.py" || fail "the lists do not read as they should"
echo "ok: every list reads as its label, its current entry and its entries"
