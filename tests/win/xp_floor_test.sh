#!/usr/bin/env bash
# The Windows XP floor of what ships, read from the programs themselves: 32-bit PE files
# whose OS and subsystem versions are 5.01, importing only from DLLs Windows ships and only
# functions on the reviewed list xp_imports.txt (every one there is in Windows XP). A new
# import fails the test until it has been checked against XP and added to the list; a few
# well-known later functions are refused outright.
# Usage: xp_floor_test.sh OBJDUMP EXE...
set -euo pipefail
objdump=$1; shift
here=$(dirname "$0")
status=0
for f in "$@"; do
  header=$("$objdump" -p "$f")
  grep -qE '^Magic[[:space:]]+010b' <<<"$header" || { echo "FAIL: $f is not a 32-bit PE file"; status=1; }
  for field in MajorOSystemVersion MajorSubsystemVersion; do
    grep -qE "^$field[[:space:]]+5\$" <<<"$header" || { echo "FAIL: $f: $field is not 5"; status=1; }
  done
  for field in MinorOSystemVersion MinorSubsystemVersion; do
    grep -qE "^$field[[:space:]]+1\$" <<<"$header" || { echo "FAIL: $f: $field is not 1"; status=1; }
  done
done
actual=$(bash "$here/imports.sh" "$objdump" "$@")
later=$(grep -E ' (GetTickCount64|InitializeSRWLock|AcquireSRWLock|ReleaseSRWLock|InitializeConditionVariable|SleepConditionVariable|WakeConditionVariable|WakeAllConditionVariable|InitOnceExecuteOnce|InitOnceBeginInitialize|FlsAlloc|FlsGetValue|FlsSetValue|FlsFree|CreateSymbolicLink|GetFinalPathNameByHandle|LocaleNameToLCID|LCIDToLocaleName|GetLocaleInfoEx|CompareStringEx|RegDeleteTree|RegGetValue|CancelIoEx|SetFileInformationByHandle|GetFileInformationByHandleEx|GetSystemTimePreciseAsFileTime|QueryFullProcessImageName|TaskDialog|ChangeWindowMessageFilter|SetProcessDPIAware)' <<<"$actual" || true)
if [ -n "$later" ]; then
  echo "FAIL: functions that Windows XP does not have:"; echo "$later"; status=1
fi
unknown=$(comm -23 <(echo "$actual") <(grep -v '^#' "$here/xp_imports.txt" | sort -u))
if [ -n "$unknown" ]; then
  echo "FAIL: imports not yet checked against Windows XP (add them to tests/win/xp_imports.txt once checked):"
  echo "$unknown"; status=1
fi
[ $status -eq 0 ] && echo "ok: $# programs: PE32, OS and subsystem 5.01, $(wc -l <<<"$actual") imports, all on Windows XP"
exit $status
