#!/usr/bin/env bash
# Installs the build dependencies (Debian 12), builds Taktora, creates an empty data folder
# "Daten" beside the program when there is none yet, and starts the program.
# Extra arguments go to the program (e.g. --data-dir DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}" # another build folder: BUILD_DIR=... scripts/run.sh

scripts/install-deps.sh
cmake -S . -B "$BUILD_DIR"
cmake --build "$BUILD_DIR" --target taktora -j"$(nproc)"

# The program never creates its data folder silently; this start command does, once.
if [ ! -e "$BUILD_DIR"/Daten/taktora.db ]; then
    "$BUILD_DIR"/taktora --create-database
fi
exec "$BUILD_DIR"/taktora "$@"
