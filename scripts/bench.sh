#!/usr/bin/env bash
# Builds and runs the benchmark program (Google Benchmark); arguments go to it,
# e.g. --benchmark_filter=Evaluate.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build
cmake --build build --target taktora_bench -j"$(nproc)"
exec build/bench/taktora_bench "$@"
