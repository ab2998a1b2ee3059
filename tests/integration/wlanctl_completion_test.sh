#!/usr/bin/env bash
# wlanctl's bash completion as bash-completion runs it: each row is a command line up to the
# cursor and the words the completion must offer (all of them, in any order) or must not.
# Profile names come from `wlanctl profile list` of a running wlansim; a name is offered as
# text, never expanded.
# Usage: wlanctl_completion_test.sh WLANSIM WLANCTL COMPLETION
set -euo pipefail
sim=$1
ctl=$2
completion=$3
work=$(mktemp -d)
export WLANMON_RUNTIME_DIR=$work/run WLANMON_REGISTRY=$work/registry.db
sim_pid=
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
"$sim" --virtual-clock >"$work/sim.log" 2>&1 & sim_pid=$!
for _ in $(seq 50); do "$sim" ctl state >/dev/null 2>&1 && break; sleep 0.1; done
cd "$work"  # where a name run as a command would leave its mark
for name in "Home Net" Office '$(touch ran)'; do
  "$ctl" profile add "$name" --ssid Net >/dev/null
done

set +eu  # bash-completion is written for interactive shells
. /usr/share/bash-completion/bash_completion
. "$completion"
# The words offered for the line $1 (the cursor at its end), one a line.
offered() {
  local line="$ctl${1#wlanctl}"  # the program as the completion will run it
  COMP_LINE=$line COMP_POINT=${#line}
  read -ra COMP_WORDS <<<"$line"
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _wlanctl
  printf '%s\n' "${COMPREPLY[@]}"
}
failed=0
row() {  # LINE WORD... ("!WORD": must not be offered)
  local line=$1 got word; shift
  got=$(offered "$line")
  for word in "$@"; do
    if [[ $word == !* ]]; then
      grep -qxF -- "${word#!}" <<<"$got" || continue
    else
      grep -qxF -- "$word" <<<"$got" && continue
    fi
    echo "FAIL: '$line' offers [${got//$'\n'/, }], wanted $word"
    failed=1
  done
}
row "wlanctl " status scan config security keygen profile radio versions registry
row "wlanctl pro" profile '!status'
row "wlanctl config " show set
row "wlanctl config set --" --ssid --bss-type --channel --rate --preamble --power-mode '!--wep'
row "wlanctl config set --bss-type " Ad-hoc Infrastructure Any
row "wlanctl config set --rate 5" 5.5 '5.5\ PBCC' '!11'
row "wlanctl security set --au" --auth
row "wlanctl security set --auth " Open Shared Auto
row "wlanctl security set --size2 " 64 128 256
row "wlanctl security set --key1 " -
row "wlanctl radio " on off status
row "wlanctl profile " list show add remove activate
row "wlanctl profile add X --" --ssid --wep --replace --activate
row "wlanctl profile show " 'Home\ Net' Office '\$\(touch\ ran\)'
row "wlanctl profile remove O" Office '!Home\ Net'
row "wlanctl profile activate --" --json
[ -e ran ] && { echo "FAIL: a profile name was run as a command"; failed=1; }
[ "$failed" = 0 ] && echo "ok: wlanctl completion"
exit "$failed"
