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
ctest --preset default

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

if [ -f windows/run-tests.sh ]; then
  section "Windows DLLs under 32-bit Wine"
  bash windows/run-tests.sh
fi
