#!/usr/bin/env bash
# Starts a throw-away PostgreSQL 15 server in DIR (created when missing) for tests and the
# benchmark: a Unix socket in DIR/sock only, no TCP port, no fsync. Prints the connection
# URL of its database "taktora". As root the server runs as the user postgres.
# Stop it with scripts/pg-stop.sh DIR.
set -euo pipefail
DIR=${1:?"Aufruf: scripts/pg-start.sh ORDNER"}
PORT=${PG_PORT:-5432} # only names the socket file; nothing listens on TCP
BIN=/usr/lib/postgresql/15/bin
USER_NAME=taktora

mkdir -p "$DIR"
DIR=$(cd "$DIR" && pwd)
mkdir -p "$DIR/sock"

asServer() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}
if [ "$(id -u)" -eq 0 ]; then
    chown -R postgres "$DIR"
    if ! runuser -u postgres -- test -x "$DIR"; then
        echo "Der Benutzer postgres kann $DIR nicht erreichen (ein übergeordneter Ordner ist gesperrt)." >&2
        exit 1
    fi
fi

asServer "$BIN/initdb" -D "$DIR/data" -A trust -U "$USER_NAME" -E UTF8 --locale=C.UTF-8 \
    >"$DIR/initdb.log"
asServer "$BIN/pg_ctl" -D "$DIR/data" -l "$DIR/server.log" -w \
    -o "-k $DIR/sock -p $PORT -c listen_addresses='' -c fsync=off" start >/dev/null
asServer "$BIN/createdb" -h "$DIR/sock" -p "$PORT" -U "$USER_NAME" "$USER_NAME"
echo "postgresql://$USER_NAME@/$USER_NAME?host=$DIR/sock&port=$PORT"
