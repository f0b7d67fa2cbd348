#!/usr/bin/env bash
# Builds and runs the benchmark program (Google Benchmark) on SQLite and, beside it, on a
# throw-away PostgreSQL server over its Unix socket; arguments go to the program,
# e.g. --benchmark_filter=Reevaluate.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}" # another build folder: BUILD_DIR=... scripts/bench.sh

cmake -S . -B "$BUILD_DIR"
cmake --build "$BUILD_DIR" --target taktora_bench -j"$(nproc)"
PG_DIR=$(mktemp -d)
chmod 755 "$PG_DIR"
trap 'scripts/pg-stop.sh "$PG_DIR/pg"; rm -rf "$PG_DIR"' EXIT
TAKTORA_BENCH_PG_URL=$(scripts/pg-start.sh "$PG_DIR/pg")
export TAKTORA_BENCH_PG_URL
"$BUILD_DIR"/bench/taktora_bench "$@"
