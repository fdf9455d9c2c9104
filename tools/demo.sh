#!/usr/bin/env bash
# The main job: builds the plug-ins and scans a real SNMP agent with them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh native
cmake --preset default >/dev/null
cmake --build --preset default
build/default/tests/snmp_agent_tests --gtest_filter='SnmpAgentTest.ExportedScans*'
