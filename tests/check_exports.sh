#!/usr/bin/env bash
# Fails unless each plug-in module's dynamic symbol table defines exactly the
# five exports.
set -euo pipefail
expected=$'Finalize\nInfo\nInit\nOptions\nScan'
status=0
for module in "$@"; do
  actual=$(nm -D --defined-only "$module" | awk '{print $3}' | sort)
  if [ "$actual" != "$expected" ]; then
    echo "FAIL $module exports:"; echo "$actual"; status=1
  else
    echo "ok   $module exports exactly Info Options Init Scan Finalize"
  fi
done
exit $status
