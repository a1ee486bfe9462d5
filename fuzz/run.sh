#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each in turn:
#   fuzz_parameter_file        the parameter-file reader, the form's checks
#                              and the calculation (seeds: fuzz/corpus);
#   fuzz_density_measurements  measured pairs through the fit, the form's
#                              take-over, save and reload and the result
#                              writer (seeds: fuzz/corpus_density).
#
#   fuzz/run.sh [SECONDS] [BUILD_DIR] [more libFuzzer options]
#
# SECONDS (each harness) defaults to 60, BUILD_DIR to build-fuzz in the source
# tree. FUZZ_TARGETS="fuzz_density_measurements" runs only the harnesses
# named. The seeds are copied into BUILD_DIR/corpus/<harness>, where new
# inputs collect, so the source tree stays clean; a failing input is saved in
# BUILD_DIR as <harness>-crash-* / -timeout-*. The harnesses' scratch files
# live in a folder of this run that is removed at its end, whatever happens.
# Exit status 77 when clang++ is missing.
set -euo pipefail
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="${2:-$src/build-fuzz}"
shift $(( $# < 2 ? $# : 2 ))
targets="${FUZZ_TARGETS:-fuzz_parameter_file fuzz_density_measurements}"

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
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $targets

# Scratch files on tmpfs where there is one: saving syncs the file to disk.
base="${TMPDIR:-}"
if [ -z "$base" ]; then
  if [ -w /dev/shm ]; then base=/dev/shm; else base=/tmp; fi
fi
scratch="$(mktemp -d "$base/korvane-fuzz-run-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

for target in $targets; do
  seeds="$src/fuzz/corpus"
  [ "$target" = fuzz_density_measurements ] && seeds="$src/fuzz/corpus_density"
  mkdir -p "$build/corpus/$target"
  cp -n "$seeds"/* "$build/corpus/$target/"
  TMPDIR="$scratch" "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -error_exitcode=1 \
    -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 -artifact_prefix="$build/$target-" "$@" \
    "$build/corpus/$target"
done
