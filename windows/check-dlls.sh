#!/usr/bin/env bash
# Reads the export and import tables of plug-in DLLs and fails unless each is
# a PE32 image for Intel 386 that exports exactly Info, Options, Init, Scan
# and Finalize by name and imports only from Windows' own DLLs.
#   check-dlls.sh DLL...
set -euo pipefail

objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
if [ $# -eq 0 ]; then
  echo "usage: check-dlls.sh DLL..." >&2
  exit 2
fi

expected_exports=$'Finalize\nInfo\nInit\nOptions\nScan'
allowed_imports='^(KERNEL32|WS2_32|WSOCK32|IPHLPAPI|USER32|msvcrt)\.dll$'
status=0

for dll in "$@"; do
  if [ ! -f "$dll" ]; then
    echo "FAIL $dll: no such file"
    status=1
    continue
  fi
  headers=$("$objdump" -p "$dll")
  problems=()

  grep -q 'file format pei-i386' <<<"$headers" || problems+=("not a pei-i386 image")
  grep -Eq '^Magic[[:space:]]+010b[[:space:]]+\(PE32\)' <<<"$headers" ||
    problems+=("not PE32 (magic $(awk '/^Magic/ {print $2; exit}' <<<"$headers"))")
  sed -n '/^Characteristics/,/^$/p' <<<"$headers" | grep -Eq '^[[:space:]]+DLL$' ||
    problems+=("not marked as a DLL")

  # The export name table: lines "[   n] Name" after "[Ordinal/Name Pointer] Table".
  exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p;/\[Name Pointer\/Ordinal\] Table/,/^$/p' <<<"$headers" |
            sed -nE 's/^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]+([^[:space:]]+)$/\1/p' | sort -u)
  [ "$exports" = "$expected_exports" ] ||
    problems+=("exports are {$(tr '\n' ' ' <<<"$exports")}, not {Finalize Info Init Options Scan}")

  imports=$(sed -nE 's/^[[:space:]]*DLL Name: (.*)$/\1/p' <<<"$headers" | sort -u)
  [ -n "$imports" ] || problems+=("no import table found")
  while read -r imported; do
    [ -z "$imported" ] && continue
    grep -Eiq "$allowed_imports" <<<"$imported" || problems+=("imports the non-system $imported")
  done <<<"$imports"

  if [ ${#problems[@]} -eq 0 ]; then
    echo "PASS $(basename "$dll"): PE32 i386, exports $(tr '\n' ' ' <<<"$exports")| imports $(tr '\n' ' ' <<<"$imports")"
  else
    status=1
    for problem in "${problems[@]}"; do echo "FAIL $(basename "$dll"): $problem"; done
  fi
done
exit $status
