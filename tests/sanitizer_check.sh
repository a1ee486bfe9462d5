#!/usr/bin/env bash
# Builds the engine, file and form-logic tests (and korvane-calc) with
# AddressSanitizer and UndefinedBehaviorSanitizer in BUILD_DIR and runs them.
# Any finding stops the test program and fails this check.
#
#   tests/sanitizer_check.sh SOURCE_DIR BUILD_DIR [COMPILER_LAUNCHER]
set -euo pipefail
src="$1"
build="$2"
launcher=()
if [ -n "${3:-}" ]; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$3"); fi
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_SANITIZE=ON \
  -DKORVANE_BUILD_UI=OFF -DKORVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j2
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" --output-on-failure
