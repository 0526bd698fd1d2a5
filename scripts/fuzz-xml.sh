#!/usr/bin/env bash
# Builds the Olmix fuzz target with clang (address and undefined-behaviour
# sanitizers on the library as well) in its own build folder and runs it.
#
#   scripts/fuzz-xml.sh [SECONDS]        default 60
#
# Environment: OLMIX_FUZZ_BUILD_DIR (default build-fuzz). New inputs found
# go to $OLMIX_FUZZ_BUILD_DIR/corpus; the small checked-in corpus under
# tests/xmllib/fuzz/corpus is only read. Crashes are written to the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

RUN_SECONDS="${1:-60}"
BUILD_DIR="${OLMIX_FUZZ_BUILD_DIR:-build-fuzz}"
SANITIZE="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

cmake -S . -B "$BUILD_DIR" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$SANITIZE -fsanitize=fuzzer-no-link" \
  -DCMAKE_SHARED_LINKER_FLAGS="$SANITIZE" \
  -DQUILLAVON_XMLLIB_ONLY=ON -DQUILLAVON_BUILD_BENCH=OFF -DOLMIX_FUZZ=ON
cmake --build "$BUILD_DIR" -j 2 --target olmix_fuzz_load

mkdir -p "$BUILD_DIR/corpus"
exec "$BUILD_DIR/tests/xmllib/fuzz/olmix_fuzz_load" \
  -max_total_time="$RUN_SECONDS" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$BUILD_DIR/" \
  "$BUILD_DIR/corpus" tests/xmllib/fuzz/corpus
