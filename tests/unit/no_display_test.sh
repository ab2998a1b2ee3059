#!/usr/bin/env bash
# wlanmon started where no display can be opened: one line on stderr, exit status 1, no abort
# and nothing left behind. Usage: no_display_test.sh WLANMON
set -uo pipefail
mon=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
# name | environment for the start
cases=(
  "no DISPLAY|-u DISPLAY -u WAYLAND_DISPLAY"
  "DISPLAY naming no server|-u WAYLAND_DISPLAY DISPLAY=unix:$work/none:0"
  "only a dead Wayland socket|-u DISPLAY WAYLAND_DISPLAY=$work/none"
)
for c in "${cases[@]}"; do
  name=${c%%|*}
  read -ra start <<<"${c#*|}"
  env -u QT_QPA_PLATFORM "${start[@]}" WLANMON_RUNTIME_DIR="$work/run" \
    WLANMON_REGISTRY="$work/registry.db" "$mon" >"$work/out" 2>"$work/err"
  rc=$?
  lines=$(wc -l <"$work/err")
  if [ "$rc" -ne 1 ] || [ "$lines" -ne 1 ] || [ -s "$work/out" ] ||
     ! grep -q '^wlanmon: cannot open a display' "$work/err"; then
    echo "FAIL: $name: exit $rc, $lines stderr lines:"; cat "$work/err"; failed=1
  else
    echo "ok: $name"
  fi
  [ -e "$work/registry.db" ] && { echo "FAIL: $name: a registry was created"; failed=1; }
done
exit $failed
