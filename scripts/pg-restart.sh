#!/usr/bin/env bash
# Restarts the server scripts/pg-start.sh started in DIR at once, dropping every connection
# as a crash or a power cut would: for the tests that a program survives it.
set -euo pipefail
DIR=${1:?"Aufruf: scripts/pg-restart.sh ORDNER"}
BIN=/usr/lib/postgresql/15/bin
if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$BIN/pg_ctl" -D "$DIR/data" -l "$DIR/server.log" -m immediate -w restart >/dev/null
else
    "$BIN/pg_ctl" -D "$DIR/data" -l "$DIR/server.log" -m immediate -w restart >/dev/null
fi
