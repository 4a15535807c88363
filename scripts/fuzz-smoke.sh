#!/usr/bin/env bash
# Short bounded libFuzzer runs of the parsers, when clang is there.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ not found, skipped"
  exit 0
fi
BUILD=build-fuzz
cmake -S . -B $BUILD -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTREMLIN_FUZZ_ONLY=ON >/dev/null
cmake --build $BUILD --target fuzz_targets -j "$(nproc)" >/dev/null
for target in $BUILD/fuzz-bin/*; do
  [ -x "$target" ] || continue
  corpus=$(mktemp -d)
  # A finding makes the fuzzer exit non-zero, and so this script.
  if ! QT_QPA_PLATFORM=offscreen "$target" -max_total_time="${FUZZ_SECONDS:-20}" -max_len=4096 -timeout=5 \
      "$corpus" > "$corpus.log" 2>&1; then
    tail -n 40 "$corpus.log"
    echo "fuzz: $(basename "$target") found a fault"
    exit 1
  fi
  echo "fuzz: $(basename "$target"): $(grep -Eo 'Done [0-9]+ runs' "$corpus.log"), no finding"
  rm -rf "$corpus" "$corpus.log"
done
