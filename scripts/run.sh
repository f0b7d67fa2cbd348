#!/usr/bin/env bash
# Installs the build dependencies (Debian 12), builds Taktora, creates an empty data folder
# "Daten" beside the program when there is none yet, and starts the program.
# Extra arguments go to the program (e.g. --data-dir DIR).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build
cmake --build build --target taktora -j"$(nproc)"

# The program never creates its data folder silently; this start command does, once.
if [ ! -e build/Daten/taktora.db ]; then
    build/taktora --create-database
fi
exec build/taktora "$@"
