#!/usr/bin/env bash
# Stops the server scripts/pg-start.sh started in DIR and removes DIR.
set -euo pipefail
DIR=${1:?"Aufruf: scripts/pg-stop.sh ORDNER"}
[ -d "$DIR/data" ] || exit 0
if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- /usr/lib/postgresql/15/bin/pg_ctl -D "$DIR/data" -m fast -w stop \
        >/dev/null || true
else
    /usr/lib/postgresql/15/bin/pg_ctl -D "$DIR/data" -m fast -w stop >/dev/null || true
fi
rm -rf "$DIR"
