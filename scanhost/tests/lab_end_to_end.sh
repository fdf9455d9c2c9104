#!/usr/bin/env bash
# scanhost with every built module over the lab, from its scanning side:
# each host's row, column by column. Needs root (skips with 77 otherwise).
#   lab_end_to_end.sh WITH_LAB SCANHOST LAB_NAME
set -uo pipefail
with_lab=$1 scanhost=$2 name=$3

if [ "$(id -u)" -ne 0 ]; then
  echo "skipping: the lab needs root to create network namespaces"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The hosts of every kind, and one address where nobody is.
"$with_lab" "$name" -- "$scanhost" -q --format csv \
  198.18.0.1 198.18.0.10-12 198.18.0.20-21 198.18.0.99 >"$work/scan.csv" 2>"$work/errors"
status=$?
cat "$work/errors"
[ "$status" -eq 0 ] || { echo "FAIL: scanhost exited with $status"; exit 1; }

# The uptime changes from run to run; its form does not.
tr -d '\r' <"$work/scan.csv" |
  sed -E 's/^([0-9.]+),( {0,3}[0-9]{1,3} days [0-9]{2}:[0-9]{2}:[0-9]{2}),/\1,UPTIME,/' >"$work/seen.csv"

cat >"$work/expected.csv" <<'CSV'
address,SystimeUp,SysDescr,Aliases,ARP MAC
198.18.0.1,,,,0A:1B:2C:3D:4E:01
198.18.0.10,UPTIME,Lab router 1,<alpha><beta>,0A:1B:2C:3D:4E:10
198.18.0.11,UPTIME,"Lab switch 48-port gigabit, firmware 7.4.2 build 1187 (2026-03-02), stack member 2 of 3, rack B4 slot 17, uplinks 49-52 to core, maintained by the network team",<core-switch.lab>,0A:1B:2C:3D:4E:11
198.18.0.12,UPTIME,"Lab printer, 3rd floor",,0A:1B:2C:3D:4E:12
198.18.0.20,TimeOut,TimeOut,,0A:1B:2C:3D:4E:20
198.18.0.21,,,,0A:1B:2C:3D:4E:21
198.18.0.99,TimeOut,TimeOut,,
CSV

if diff -u "$work/expected.csv" "$work/seen.csv"; then
  echo "ok: every column of every lab host"
else
  echo "FAIL: the scan differs from the lab's hosts (diff above)"
  exit 1
fi
