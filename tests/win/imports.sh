#!/usr/bin/env bash
# Lists what a PE file imports, one "dll function" a line, lower-case DLL names, sorted.
# Usage: imports.sh OBJDUMP FILE...
set -euo pipefail
objdump=$1; shift
for f in "$@"; do
  "$objdump" -p "$f" | awk -F'\t' '/^\tDLL Name:/ {split($2, a, ": "); dll = tolower(a[2]); next}
    dll && /^\t[0-9a-f]+\t/ {n = split($3, m, " "); print dll, m[n]} /^$/ {dll = ""}'
done | sort -u
