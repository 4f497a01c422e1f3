#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build briefly.
# Usage: scripts/fuzz.sh BUILD_DIR   (FUZZ_SECONDS per target, default 20)
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
seconds=${FUZZ_SECONDS:-20}
shopt -s nullglob
fuzzers=("$build"/fuzz_*)
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "no fuzz targets in $build (configure with -DVESTA_FUZZ=ON and clang)" >&2
  exit 1
fi
for fuzzer in "${fuzzers[@]}"; do
  [ -x "$fuzzer" ] && [ -f "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus="$build/fuzz-corpus/$name"
  mkdir -p "$corpus"
  echo "== $name (${seconds}s)"
  "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "$corpus"
done
