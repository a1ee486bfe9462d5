#!/usr/bin/env bash
# Builds the libFuzzer harness with clang and fuzzes the parameter-file
# reader, the form's checks and the calculation.
#
#   fuzz/run.sh [SECONDS] [BUILD_DIR] [more libFuzzer options]
#
# SECONDS defaults to 60, BUILD_DIR to build-fuzz in the source tree. The seed
# corpus in fuzz/corpus is copied into BUILD_DIR/corpus, where new inputs
# collect, so the source tree stays clean; a failing input is saved in
# BUILD_DIR as crash-* / timeout-*. Exit status 77 when clang++ is missing.
set -euo pipefail
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="${2:-$src/build-fuzz}"
shift $(( $# < 2 ? $# : 2 ))

if ! command -v clang++ >/dev/null; then
  echo "clang++ not found: the fuzz run is skipped (Debian: apt-get install clang)"
  exit 77
fi
launcher=()
if [ -n "${KORVANE_COMPILER_LAUNCHER:-}" ]; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$KORVANE_COMPILER_LAUNCHER")
fi
cmake -S "$src" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVANE_FUZZ=ON -DKORVANE_BUILD_UI=OFF -DKORVANE_BUILD_TESTS=OFF -DKORVANE_BUILD_BENCH=OFF \
  "${launcher[@]}" >/dev/null
cmake --build "$build" -j2 --target fuzz_parameter_file

mkdir -p "$build/corpus"
cp -n "$src"/fuzz/corpus/* "$build/corpus/"
# Scratch files on tmpfs where there is one: saving syncs the file to disk.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
"$build/bin/fuzz_parameter_file" -max_total_time="$seconds" -timeout=10 -error_exitcode=1 -rss_limit_mb=2048 \
  -max_len=4096 -print_final_stats=1 -artifact_prefix="$build/" "$@" "$build/corpus"
