#!/usr/bin/env bash
# The profiles survive a trip through a real registry editor: wlanctl exports REGEDIT4, Wine's
# regedit imports it (reading the bytes in Windows-1252) and exports REGEDIT5 (UTF-16), and
# wlanctl imports that into a fresh store. Every key, value, type and byte comes back, names
# and SSIDs with bytes 0x80-0xFF included. Skipped (77) where wine is missing.
# Usage: wine_regedit_roundtrip.sh WLANCTL
set -euo pipefail
wlanctl=$1
command -v wine >/dev/null || { echo "SKIP: wine is not installed"; exit 77; }
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WLANMON_RUNTIME_DIR=$work/run LC_ALL=C.UTF-8
trap 'timeout 30 wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
mkdir -m 0700 "$work/run"
fail() { echo "FAIL: $*"; exit 1; }

profile() {  # name, SSID, default key (0..3)
  printf '\n[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\%s]\n' "$1"
  printf '"dot11DesiredBSSType"="1"\n"dot11DesiredChannel"="6"\n"dot11PowerMode"="2"\n'
  printf '"dot11ShortPreambleInvoked"="1"\n"dot11DesiredTxRate"="7"\n"dot11DesiredTxRate11M"="5"\n'
  printf '"dot11DesiredSSID"="%s"\n"dot11DesiredBSSID"="00:11:22:aa:bb:cc"\n' "$2"
  printf '"dot11AuthMode"="1"\n"dot11AuthenticationMode"="1"\n"dot11WEPStatus"="0"\n'
  printf '"dot11WEPDefaultKeyID"=dword:0000000%s\n"dot11WEPDefaultKey1"="0a1b2c3d4e"\n' "$3"
  printf '"dot11WEPDefaultKey2"="%s"\n"dot11WEPDefaultKey3"=""\n' "$(printf '5f%.0s' {1..13})"
  printf '"dot11WEPDefaultKey4"="%s"\n' "$(printf '9e%.0s' {1..29})"
}
{
  printf 'REGEDIT4\n'
  profile 'Office' 'Office AP' 0
  profile $'Caf\xc3\xa9' $'Caf\xc3\xa9 \xe2\x82\xac' 1
  profile $'\xe9t\xe9 \xa0\xff' $'\xe2\x80\x9c\xd0\x81\xd1\x8d\xd1\x8f\xd1\x90\xc5\xb8' 3
  profile $'Preis 5\x80' $'\x84\x85\x8a\x93\x94\x99\x9f' 2
} >"$work/in.reg"

WLANMON_REGISTRY=$work/a.db "$wlanctl" registry import "$work/in.reg" || fail "import of the input"
WLANMON_REGISTRY=$work/a.db "$wlanctl" registry export "$work/a.reg" ||
  fail "export of the first store"
timeout 180 wine regedit /s "$work/a.reg" || fail "wine regedit /s"
timeout 60 wine regedit /e "$work/b.reg" 'HKEY_CURRENT_USER\Software\NVXPROFILE' ||
  fail "wine regedit /e"
[[ $(head -c 2 "$work/b.reg" | od -An -tx1 | tr -d ' ') == fffe ]] || fail "b.reg is not UTF-16"
WLANMON_REGISTRY=$work/b.db "$wlanctl" registry import "$work/b.reg" ||
  fail "import of the registry editor's export"
WLANMON_REGISTRY=$work/b.db "$wlanctl" registry export "$work/c.reg" ||
  fail "export of the second store"

# Each value line under its key; the editor may order a key's values its own way.
lines() { awk '/^\[/ { key = $0; print key; next } NF && key { print key "\t" $0 }' "$1" | LC_ALL=C sort; }
n=$(lines "$work/a.reg" | wc -l); [[ $n -eq 69 ]] || fail "the first export has $n lines, not 69"
diff <(lines "$work/a.reg") <(lines "$work/c.reg") || fail "the round trip changed the settings"
echo "PASS: $(grep -c '^\[' "$work/c.reg") keys came back identical"
