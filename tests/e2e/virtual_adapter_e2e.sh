#!/usr/bin/env bash
# wlanmon --virtual-adapter: the adapter runs inside the program, no wlansim. The icon appears
# in the tray and turns green once the built-in scenario associates (on the real clock); a
# scenario file that cannot be read ends the start with a message and status 1.
# E2E_DISPLAY picks the X display (default: a free one).
# Usage: virtual_adapter_e2e.sh WLANMON
set -euo pipefail
mon=$1
. "$(dirname "$0")/e2e_lib.sh"
fail() {
  echo "FAIL: $*"
  echo "-- wlanmon log:"; cat "$work/mon.log" 2>/dev/null || true
  exit 1
}

start_display 800x600 || fail "Xvfb did not start"
start_tray || fail "trayer did not start"
set +e
"$mon" --virtual-adapter "$work/missing.json" >"$work/bad.log" 2>&1
bad=$?
set -e
[ "$bad" -eq 1 ] || fail "an unreadable scenario ended the start with $bad"
grep -q "missing.json" "$work/bad.log" || fail "the message does not name the scenario: $(cat "$work/bad.log")"
echo "ok: an unreadable scenario is refused with a message"

icon_has() {
  read -r w h x y < <(icon_geometry) || return 1
  import -window root -crop "${w}x${h}+${x}+${y}" txt:- 2>/dev/null | grep -F "$1" >/dev/null
}
"$mon" --virtual-adapter >"$work/mon.log" 2>&1 & pids+=($!)
one_icon() { [ "$(icon_windows | grep -c .)" = 1 ]; }
within 100 one_icon || fail "no tray icon appeared"
within 150 icon_has 'srgb(46,160,67)' || fail "the icon did not turn green on association"
echo "ok: the in-process adapter associates and the icon shows green bars"
echo "1 passed, 0 failed"
