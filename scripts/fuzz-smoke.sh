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
  echo "fuzz: $(basename "$target")"
  QT_QPA_PLATFORM=offscreen "$target" -max_total_time="${FUZZ_SECONDS:-20}" -max_len=4096 -timeout=5 \
    -print_final_stats=0 "$corpus" 2>&1 | tail -n 2
  rm -rf "$corpus"
done
