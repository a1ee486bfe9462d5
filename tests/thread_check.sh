#!/usr/bin/env bash
# Builds the two-documents test with ThreadSanitizer in BUILD_DIR and runs it:
# two silos calculated on two threads at once must not share any state.
# Any data race reported fails this check.
#
#   tests/thread_check.sh SOURCE_DIR BUILD_DIR [COMPILER_LAUNCHER]
set -euo pipefail
src="$1"
build="$2"
launcher=()
if [ -n "${3:-}" ]; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$3"); fi
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
  -DKORVANE_BUILD_UI=OFF -DKORVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j2 --target test_documents
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
"$build/bin/test_documents"
