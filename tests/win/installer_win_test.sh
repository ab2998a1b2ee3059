#!/usr/bin/env bash
# The Windows installer under Wine: `cpack -G NSIS` makes it from the MinGW build. In a fresh
# prefix, all silent (/S):
# - an install puts the programs under Program Files, a Start-menu entry, the log-on Run value
#   and the Add/Remove Programs values; the installed wlanctl.exe runs;
# - one that finds a program of ours still running (a wlanctl) stops with exit code 2, files
#   untouched; an upgrade keeps a log-on start the user turned off, off;
# - an upgrade while the installed monitor runs closes it, replaces the files and leaves exactly
#   one monitor running, of the new files; the user's profiles and the adapter's values stay;
# - an uninstall while the monitor runs closes it and removes what was installed, keeping them.
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
version=$(basename "$installer" | sed -E 's/^netvane-wlan-monitor-(.*)-win32\.exe$/\1/')
staged=$(ls -d "$work"/package/_CPack_Packages/win32/NSIS/*/program/bin)
echo "ok: $(basename "$installer") made ($(du -k "$installer" | cut -f1) KiB)"

start_display 800x600 || fail "Xvfb did not start"
start_wine || fail "the Wine prefix could not be made"
install() { timeout 120 wine "$installer" /S; }
ended() { ! kill -0 "$1" 2>/dev/null; }
install || fail "the silent install failed"
windir='C:\Program Files\Netvane WLAN Monitor'
dir="$WINEPREFIX/drive_c/Program Files/Netvane WLAN Monitor"
for f in bin/wlanmon.exe bin/wlanctl.exe Uninstall.exe; do
  [ -f "$dir/$f" ] || fail "$f was not installed"
done
links() { find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'Netvane Wireless LAN Monitor.lnk'; }
[ -n "$(links)" ] || fail "no Start-menu entry"
# A registry value's data as `reg query` shows it (REG_DWORD as 0x...), empty when it is not there.
value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 \{4\}REG_[A-Z]* \{4\}//p"; }
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
run_value() { value "$run_key" "Netvane WLAN Monitor"; }
[ "$(run_value)" = "\"$windir\\bin\\wlanmon.exe\"" ] || fail "the Run value is '$(run_value)'"
arp='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Netvane WLAN Monitor'
while IFS='|' read -r name want; do
  got=$(value "$arp" "$name")
  [ "$got" = "$want" ] || fail "Add/Remove Programs: $name is '$got', not '$want'"
done <<EOF
DisplayName|Netvane Wireless LAN Monitor
DisplayVersion|$version
Publisher|Netvane
DisplayIcon|$windir\\bin\\wlanmon.exe
UninstallString|"$windir\\Uninstall.exe"
QuietUninstallString|"$windir\\Uninstall.exe" /S
InstallLocation|$windir
NoModify|0x1
NoRepair|0x1
EOF
size_kib=$(($(value "$arp" EstimatedSize)))
files_kib=$(($(cat "$dir"/bin/*.exe "$dir/Uninstall.exe" | wc -c) / 1024))
[ "$size_kib" -ge "$files_kib" ] && [ "$size_kib" -le $((files_kib + 8)) ] ||
  fail "Add/Remove Programs: EstimatedSize is $size_kib KiB for $files_kib KiB of files"
echo "ok: the silent install puts the programs, a Start-menu entry, the Run value and the" \
     "Add/Remove Programs values in place"

wine "$dir/bin/wlanctl.exe" --json keygen --size 64 badpw >"$work/keygen.txt" 2>&1 ||
  { cat "$work/keygen.txt"; fail "the installed wlanctl.exe failed"; }
grep -qF '"02CB778981"' "$work/keygen.txt" || { cat "$work/keygen.txt"; fail "wlanctl.exe: wrong keys"; }
echo "ok: the installed wlanctl.exe runs"

# What must outlive every installer run: a profile and the adapter's dot11 values.
profile='HKCU\Software\NVXPROFILE\Kept'
adapter='HKLM\System\CurrentControlSet\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0001'
wine reg add "$profile" /v dot11DesiredSSID /t REG_SZ /d Home /f >/dev/null 2>&1
wine reg add "$adapter" /v dot11DesiredChannel /t REG_SZ /d 11 /f >/dev/null 2>&1
kept() { [ "$(value "$profile" dot11DesiredSSID)" = Home ] &&
         [ "$(value "$adapter" dot11DesiredChannel)" = 11 ]; }
kept || fail "the test's profile and adapter values could not be written"
# The installed monitor is marked, to tell its file from the one an upgrade puts in place.
printf 'the old build' >>"$dir/bin/wlanmon.exe"
marked() { [ "$(tail -c 13 "$dir/bin/wlanmon.exe")" = 'the old build' ]; }

wine "$dir/bin/wlanctl.exe" watch >"$work/watch.log" 2>&1 & watch_pid=$!; pids+=("$watch_pid")
watching() { grep -q 'Tray icon' "$work/watch.log"; }
within 300 watching || { cat "$work/watch.log"; fail "wlanctl.exe watch did not start"; }
status=0; install || status=$?
[ "$status" = 2 ] || fail "an install while wlanctl.exe runs ended with $status, not 2"
marked || fail "an install that stopped replaced wlanmon.exe"
kill "$watch_pid"
within 50 ended "$watch_pid" || fail "wlanctl.exe watch did not end"
echo "ok: an install that finds wlanctl.exe running stops with exit code 2 and changes nothing"

wine reg delete "$run_key" /v "Netvane WLAN Monitor" /f >/dev/null 2>&1
install || fail "the silent install over the installed program failed"
[ -z "$(run_value)" ] || fail "an upgrade turned the log-on start back on"
marked && fail "the upgrade did not replace wlanmon.exe"
wine reg add "$run_key" /v "Netvane WLAN Monitor" /t REG_SZ /d "\"$windir\\bin\\wlanmon.exe\"" \
  /f >/dev/null 2>&1
printf 'the old build' >>"$dir/bin/wlanmon.exe"
echo "ok: an upgrade keeps the log-on start off when the user turned it off"

# The monitor processes of this prefix, "PID COMMAND LINE" each.
monitors() {
  local p cmd
  for p in /proc/[0-9]*; do
    grep -qzx "WINEPREFIX=$WINEPREFIX" "$p/environ" 2>/dev/null || continue
    cmd=$(tr '\0' ' ' <"$p/cmdline" 2>/dev/null) || continue
    case $cmd in *wlanmon.exe*) echo "${p#/proc/} $cmd" ;; esac
  done
}
frame='Netvane Wireless LAN Monitor'
frame_found() { wine "$find_window" find "$frame" 2>/dev/null; }
wine "$dir/bin/wlanmon.exe" --virtual-adapter >"$work/mon.log" 2>&1 & mon_pid=$!; pids+=("$mon_pid")
within 300 frame_found || { cat "$work/mon.log"; fail "the installed monitor did not start"; }
[ "$(monitors | wc -l)" = 1 ] || fail "not one monitor before the upgrade: $(monitors)"
install || fail "the silent install while the monitor runs failed"
within 50 ended "$mon_pid" || fail "the upgrade did not close the running monitor"
within 300 frame_found || fail "the upgrade did not start the monitor again"
[ "$(monitors | wc -l)" = 1 ] || fail "not one monitor after the upgrade: $(monitors)"
cmp -s "$staged/wlanmon.exe" "$dir/bin/wlanmon.exe" || fail "the upgrade left the old wlanmon.exe"
# The running monitor maps the installed file, which Wine (as Windows) lets nobody write while
# it does: its image is the new file.
new_pid=$(monitors | cut -d' ' -f1)
mapped=$(grep -F "$dir/bin/wlanmon.exe" "/proc/$new_pid/maps" | awk '{print $5; exit}')
[ "$mapped" = "$(stat -c %i "$dir/bin/wlanmon.exe")" ] ||
  fail "the monitor runs from another file than the installed one ($(monitors))"
kept || fail "the upgrade lost a profile or the adapter's values"
[ -n "$(run_value)" ] || fail "the upgrade lost the log-on start"
echo "ok: an upgrade while the monitor runs closes it, replaces the files, starts one monitor" \
     "of the new files again and keeps the profiles and the adapter's values"

timeout 120 wine "$dir/Uninstall.exe" /S || fail "the silent uninstall failed"
removed() { [ ! -e "$dir/bin" ] && [ -z "$(links)" ]; }  # the uninstaller finishes from a copy
within 300 removed || fail "the uninstaller left $(find "$dir" | head -5)"
within 50 ended "$new_pid" || fail "the running monitor was not closed by the uninstaller"
[ -z "$(run_value)" ] || fail "the Run value stayed"
[ -z "$(value "$arp" DisplayName)" ] || fail "the Add/Remove Programs entry stayed"
kept || fail "the uninstall lost a profile or the adapter's values"
echo "ok: the silent uninstall closes the monitor and removes what it installed," \
     "profiles and the adapter's values kept"
echo "1 passed, 0 failed"
