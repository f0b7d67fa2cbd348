#!/usr/bin/env bash
# Builds and runs the benchmark program (Google Benchmark); arguments go to it,
# e.g. --benchmark_filter=Evaluate.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}" # another build folder: BUILD_DIR=... scripts/bench.sh

cmake -S . -B "$BUILD_DIR"
cmake --build "$BUILD_DIR" --target taktora_bench -j"$(nproc)"
exec "$BUILD_DIR"/bench/taktora_bench "$@"
