#!/usr/bin/env bash
# Prints the time of one Scan of the alias and hardware-address modules in
# each case (hosts file, DNS, resolved, unresolved, absent), in a lab of its
# own. Run as root after building (default: build/default).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
exec lab/with-lab nbench -- "$build/tests/names_bench"
