#!/usr/bin/env bash
# wlanmon idle with its window closed, against wlansim (real clock): resident memory, CPU over
# a minute, mean CPU time of one tick, and time from start to tray icon.
# Goals: at most 35 MB, under 0.2 % of one core, icon within 0.5 s.
# Usage: bench/wlanmon_idle.sh WLANSIM WLANMON [SECONDS]
set -euo pipefail
sim=$1
mon=$2
seconds=${3:-60}
. "$(dirname "$0")/../tests/e2e/e2e_lib.sh"
start_display 800x600 && start_tray && start_sim || { echo "could not start Xvfb, trayer, wlansim"; exit 1; }

start=$(date +%s%N)
"$mon" >/dev/null 2>&1 & pid=$!; pids+=($pid)
until icon_windows >/dev/null; do sleep 0.005; done
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
