#!/usr/bin/env bash
# A PostgreSQL server of the tests' own, in a scratch folder on a free loopback
# port; nothing of the machine's own clusters is used or touched.
#     scratch-postgres.sh start DIR   # DIR/url: its connection URL (database stel7)
#     scratch-postgres.sh stop DIR
# PostgreSQL refuses to run as root: as root it runs as the postgres system user.
set -euo pipefail
action=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_owner() {
    if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

stop() {
    [ -f "$dir/data-path" ] || return 0
    local data
    data=$(cat "$dir/data-path")
    as_owner "$bin/pg_ctl" -D "$data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$data" "$dir"
}

case $action in
start)
    stop
    # The postgres user may not be allowed into the caller's folder.
    cd /
    mkdir -p "$dir"
    data=$(mktemp -d /tmp/stel7-postgres-XXXXXX)
    echo "$data" >"$dir/data-path"
    [ "$(id -u)" = 0 ] && chown postgres: "$data"
    as_owner "$bin/initdb" -D "$data/db" --auth=trust -U postgres -E UTF8 --locale=C >"$dir/initdb.log"
    # A port another program took between the pick and the start is picked again.
    for _ in 1 2 3 4 5; do
        port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
        if as_owner "$bin/pg_ctl" -D "$data/db" -l "$data/server.log" -w -t 60 \
            -o "-c listen_addresses=127.0.0.1 -p $port -k $data" start >/dev/null; then
            as_owner "$bin/createdb" -h 127.0.0.1 -p "$port" -U postgres stel7
            echo "postgresql://postgres@127.0.0.1:$port/stel7" >"$dir/url"
            exit 0
        fi
    done
    cat "$data/server.log" >&2
    exit 1
    ;;
stop) stop ;;
*) echo "usage: scratch-postgres.sh start|stop DIR" >&2; exit 2 ;;
esac
