#!/usr/bin/env bash
# wlanmon idle with its window closed, against wlansim (real clock): resident memory, CPU over
# a minute, mean CPU time of one tick, and time from start to tray icon.
# Goals: at most 35 MB, under 0.2 % of one core, icon within 0.5 s.
# Usage: bench/wlanmon_idle.sh WLANSIM WLANMON [SECONDS]
set -euo pipefail
sim=$1
mon=$2
seconds=${3:-60}
work=$(mktemp -d)
export WLANMON_RUNTIME_DIR=$work/run WLANMON_REGISTRY=$work/registry.db
export DISPLAY=:$((500 + RANDOM % 300))
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null; rm -rf "$work"' EXIT

Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
  >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 100); do
  xwininfo -root -tree | grep -F '("panel" "trayer")' >/dev/null && break; sleep 0.05
done
"$sim" >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 100); do "$sim" ctl state >/dev/null 2>&1 && break; sleep 0.05; done

start=$(date +%s%N)
"$mon" >/dev/null 2>&1 & pid=$!; pids+=($pid)
until xwininfo -root -tree | grep -F '("wlanmon" ' | grep -vF 'Netvane Wireless' >/dev/null; do
  sleep 0.005
done
icon_ms=$(( ($(date +%s%N) - start) / 1000000 ))

sleep 5  # settle: the link associates, the first ticks pass
ticks_per_second=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
rss_kb=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
cpu_ms=$(( (after - before) * 1000 / ticks_per_second ))
echo "start to tray icon:   ${icon_ms} ms"
echo "resident memory:      $((rss_kb / 1024)) MB (${rss_kb} kB)"
awk -v ms="$cpu_ms" -v s="$seconds" 'BEGIN {
  printf "CPU over %d s:        %d ms = %.3f %% of one core\n", s, ms, ms / (s * 10.0)
  printf "mean CPU of one tick: %.2f ms (one tick a second)\n", ms / s
}'
