# Shared by the end-to-end scripts (sourced): a private work directory with its own runtime
# directory and registry, the processes to stop at the end, waiting with a limit, and an X
# display with a tray host. Each script keeps its own fail() with the diagnostics it needs.

work=$(mktemp -d)
export WLANMON_RUNTIME_DIR=$work/run WLANMON_REGISTRY=$work/registry.db
pids=()
e2e_cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -n "${KEEP_E2E:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap e2e_cleanup EXIT

# Waits up to $1 tenths of a second for the command after it to succeed.
within() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# Xvfb of size $1 (e.g. 800x600) on a free display (E2E_DISPLAY picks one), exported as DISPLAY.
start_display() {
  if [ -n "${E2E_DISPLAY:-}" ]; then
    Xvfb "$E2E_DISPLAY" -screen 0 "$1x24" -nolisten tcp >"$work/xvfb.log" 2>&1 & pids+=($!)
    export DISPLAY=$E2E_DISPLAY
  else
    # The server picks a free display and writes its number, so parallel tests never collide.
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    display_written() { [ -s "$work/display" ]; }
    within 100 display_written || return 1
    export DISPLAY=:$(head -1 "$work/display")
  fi
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# trayer at the top right of the display, waited for.
start_tray() {
  trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
    --transparent false >"$work/trayer.log" 2>&1 & pids+=($!)
  tray_ready() { xwininfo -root -tree | grep -F '("panel" "trayer")' >/dev/null; }
  within 100 tray_ready
}

# The tray icon's window: wlanmon's own, embedded in the tray (not a child of the root, as its
# frame, windows, menu, tooltips and notices are).
icon_windows() { xwininfo -root -tree | grep -E '^ {6,}0x' | grep -F '("wlanmon" ' |
                 grep -vF -e '"Netvane Wireless LAN Monitor"' -e 'Configuration Utility'; }
# Its size and place on the screen: W H X Y.
icon_geometry() { icon_windows | head -1 |
                  sed -E 's/.* ([0-9]+)x([0-9]+)\+[-0-9]+\+[-0-9]+ +\+([0-9]+)\+([0-9]+).*/\1 \2 \3 \4/'; }

# wlansim with the options given (--virtual-clock for the tests), waited for until it answers.
start_sim() {
  "$sim" "$@" >"$work/sim.log" 2>&1 & pids+=($!)
  for _ in $(seq 50); do "$sim" ctl state >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
