#!/usr/bin/env bash
# Installs the missing build dependencies (as scripts/run.sh does), configures, builds and
# runs every test (headless: the tests use Qt's offscreen platform) beside a throw-away
# PostgreSQL server.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}" # another build folder: BUILD_DIR=... scripts/test.sh

scripts/install-deps.sh
cmake -S . -B "$BUILD_DIR"
cmake --build "$BUILD_DIR" -j"$(nproc)"
# A throw-away PostgreSQL server for the tests that need one, stopped whatever happens. The
# folder is readable by all, so that the server user reaches it as root starts it.
PG_DIR=$(mktemp -d)
chmod 755 "$PG_DIR"
trap 'scripts/pg-stop.sh "$PG_DIR/pg"; rm -rf "$PG_DIR"' EXIT
TAKTORA_TEST_PG_URL=$(scripts/pg-start.sh "$PG_DIR/pg")
export TAKTORA_TEST_PG_URL

ctest --test-dir "$BUILD_DIR" --output-on-failure
