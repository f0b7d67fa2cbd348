#!/usr/bin/env bash
# Configures, builds and runs every test (headless: the tests use Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure
