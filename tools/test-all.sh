#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
# the native suite, the sanitizer builds, the fuzzer, and the Windows DLLs
# under 32-bit Wine. Run as root: the tests build network namespaces.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh all

section() { printf '\n==== %s ====\n' "$*"; }

section "native build and tests"
cmake --preset default
cmake --build --preset default
ctest --preset default 2>&1 | tee build/default/ctest-last.log
native=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' build/default/ctest-last.log | tail -n 1)

section "AddressSanitizer + UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

section "ThreadSanitizer (concurrency tests)"
cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan

section "fuzzing the reply readers"
cmake --preset fuzz
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus
build/fuzz/fuzz/reply_readers_fuzz -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 build/fuzz/corpus

windows=0
if [ -f windows/run-tests.sh ]; then
  section "Windows DLLs under 32-bit Wine"
  bash windows/run-tests.sh 2>&1 | tee build/windows-tests.log
  windows=$(tr -d '\r' <build/windows-tests.log | sed -n 's/^\([0-9]*\) passed, 0 failed$/\1/p' | tail -n 1)
fi

# Every stage above stops the run on its first failure; reaching here means
# none failed. Native cases plus the Windows host's cases:
echo "summary: $(( ${native:-0} + ${windows:-0} )) passed, 0 failed"
