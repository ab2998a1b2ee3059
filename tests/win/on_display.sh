#!/usr/bin/env bash
# Runs a command (a Windows test program under Wine) on an X display of its own: Wine's window
# driver needs one for tests that make windows. E2E_DISPLAY picks the display (default: a free
# one). Usage: on_display.sh COMMAND [ARGS...]
set -euo pipefail
here=$(dirname "$0")
. "$here/../e2e/e2e_lib.sh"
start_display 800x600 || { echo "FAIL: Xvfb did not start"; exit 1; }
"$@"
