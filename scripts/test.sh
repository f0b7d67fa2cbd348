#!/usr/bin/env bash
# Installs the missing build dependencies (as scripts/run.sh does), configures, builds and
# runs every test (headless: the tests use Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}" # another build folder: BUILD_DIR=... scripts/test.sh

scripts/install-deps.sh
cmake -S . -B "$BUILD_DIR"
cmake --build "$BUILD_DIR" -j"$(nproc)"
ctest --test-dir "$BUILD_DIR" --output-on-failure
