#!/usr/bin/env bash
# Starts (or stops) a throwaway MariaDB server on loopback for the tests and the demo.
# Usage: scripts/test-server.sh start|stop|env
# The server listens on 127.0.0.1:${SYNCHUB_TEST_PORT:-33306}, keeps its data under
# ${SYNCHUB_TEST_DIR:-/tmp/synchub-mariadb} and has a user synchub/synchub with every privilege.
set -euo pipefail
port=${SYNCHUB_TEST_PORT:-33306}
dir=${SYNCHUB_TEST_DIR:-/tmp/synchub-mariadb}
sock="$dir/mysqld.sock"

client() { mariadb --no-defaults -uroot --socket="$sock" "$@"; }

case "${1:-start}" in
start)
    if [ -S "$sock" ] && client -e 'select 1' >/dev/null 2>&1; then
        echo "MariaDB already running on 127.0.0.1:$port"
        exit 0
    fi
    rm -rf "$dir"
    mkdir -p "$dir/data"
    mariadb-install-db --no-defaults --user=root --datadir="$dir/data" \
        --auth-root-authentication-method=socket >"$dir/install.log" 2>&1
    mariadbd --no-defaults --user=root --datadir="$dir/data" --socket="$sock" \
        --bind-address=127.0.0.1 --port="$port" --pid-file="$dir/mysqld.pid" \
        --log-error="$dir/error.log" --skip-name-resolve \
        --innodb-buffer-pool-size=256M --innodb-flush-log-at-trx-commit=2 \
        --max-connections=500 >"$dir/server.out" 2>&1 &
    for _ in $(seq 1 240); do
        client -e 'select 1' >/dev/null 2>&1 && break
        sleep 0.5
    done
    if ! client -e 'select 1' >/dev/null 2>&1; then
        echo "MariaDB did not start; its log follows" >&2
        cat "$dir/error.log" "$dir/server.out" >&2 || true
        exit 1
    fi
    client -e "create user if not exists 'synchub'@'%' identified by 'synchub';
               grant all privileges on *.* to 'synchub'@'%' with grant option;"
    echo "MariaDB running on 127.0.0.1:$port (data in $dir)"
    ;;
stop)
    if [ -f "$dir/mysqld.pid" ]; then
        kill "$(cat "$dir/mysqld.pid")" 2>/dev/null || true
        for _ in $(seq 1 60); do [ -S "$sock" ] || break; sleep 0.5; done
    fi
    ;;
env)
    echo "export SYNCHUB_TEST_HOST=127.0.0.1 SYNCHUB_TEST_PORT=$port SYNCHUB_TEST_USER=synchub SYNCHUB_TEST_PASSWORD=synchub"
    ;;
*)
    echo "usage: $0 start|stop|env" >&2
    exit 2
    ;;
esac
