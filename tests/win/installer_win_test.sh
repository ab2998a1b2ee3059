#!/usr/bin/env bash
# The Windows installer under Wine: `cpack -G NSIS` makes it from the MinGW build; a silent
# install (/S) into a fresh prefix puts the programs under Program Files,
# a Start-menu entry and the log-on Run value; the monitor starts from there; a silent uninstall,
# run while it is running, closes it and removes all that, keeping the user's settings.
# Usage: installer_win_test.sh BUILD_DIR FIND_WINDOW.EXE
set -euo pipefail
build=$1
find_window=$2
here=$(dirname "$0")
. "$here/../e2e/e2e_lib.sh"
. "$here/wine_lib.sh"
trap 'stop_wine; e2e_cleanup' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G NSIS -B "$work/package" --config CPackConfig.cmake >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack -G NSIS failed"; }
installer=$(ls "$work"/package/netvane-wlan-monitor-*-win32.exe)
echo "ok: $(basename "$installer") made ($(du -k "$installer" | cut -f1) KiB)"

start_display 800x600 || fail "Xvfb did not start"
start_wine || fail "the Wine prefix could not be made"
timeout 120 wine "$installer" /S || fail "the silent install failed"
dir="$WINEPREFIX/drive_c/Program Files/Netvane WLAN Monitor"
for f in bin/wlanmon.exe bin/wlanctl.exe Uninstall.exe; do
  [ -f "$dir/$f" ] || fail "$f was not installed"
done
links() { find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'Netvane Wireless LAN Monitor.lnk'; }
[ -n "$(links)" ] || fail "no Start-menu entry"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg query "$run_key" /v "Netvane WLAN Monitor" 2>/dev/null | grep -qF 'wlanmon.exe' ||
  fail "no Run value for the log-on start"
echo "ok: the silent install puts the programs, a Start-menu entry and the Run value in place"

frame='Netvane Wireless LAN Monitor'
wine "$dir/bin/wlanmon.exe" --virtual-adapter >"$work/mon.log" 2>&1 & mon_pid=$!; pids+=($mon_pid)
frame_found() { wine "$find_window" find "$frame" 2>/dev/null; }
within 300 frame_found || { cat "$work/mon.log"; fail "the installed monitor did not start"; }
echo "ok: the installed wlanmon.exe starts"

wine reg add 'HKCU\Software\NVXPROFILE\Kept' /v SSID /t REG_SZ /d Home /f >/dev/null 2>&1
timeout 120 wine "$dir/Uninstall.exe" /S || fail "the silent uninstall failed"
removed() { [ ! -e "$dir/bin" ] && [ -z "$(links)" ]; }  # the uninstaller finishes from a copy
within 300 removed || fail "the uninstaller left $(find "$dir" | head -5)"
ended() { ! kill -0 "$mon_pid" 2>/dev/null; }
within 50 ended || fail "the running monitor was not closed by the uninstaller"
if wine reg query "$run_key" /v "Netvane WLAN Monitor" >/dev/null 2>&1; then
  fail "the Run value stayed"
fi
wine reg query 'HKCU\Software\NVXPROFILE\Kept' /v SSID >/dev/null 2>&1 || fail "the user's settings went"
echo "ok: the silent uninstall closes the monitor and removes what it installed, settings kept"
echo "1 passed, 0 failed"
