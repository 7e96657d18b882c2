#!/usr/bin/env bash
# Benchmark of the vendor's server (not a test; a few minutes): 64 clients on
# loopback, each opening a new connection per request as WinInet does, with
# wrk; Debian's nginx serving the update document as a static file is the
# yardstick, measured in the same run with the same tool, the runs taking
# turns over three rounds so that the machine's other load falls on all of
# them alike. Prints the update
# document's rate, counts acknowledged per second with SQLite and with
# PostgreSQL (SQLite also with --sync normal), p99 latencies, and the server's
# memory over a million counts.
#     bash tools/bench-server.sh [counts]    (default 1000000 for the memory run)
# Installs wrk and nginx-light (the benchmark's own, not the tests') when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
total=${1:-1000000}
seconds=10
rounds=3
clients=64

bash tools/setup.sh >/dev/null
for p in wrk nginx-light; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "$p" >/dev/null
done
[ -f build/server/build.ninja ] || cmake -S server -B build/server -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/server >/dev/null

work=$(mktemp -d /tmp/stel7-bench-XXXXXX)
chmod 755 "$work"  # nginx's workers run as an unprivileged user
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    bash server/tests/scratch-postgres.sh stop "$work/postgres" || true
    rm -rf "$work"
}
trap cleanup EXIT

free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
wait_port() { for _ in $(seq 100); do curl -s -o /dev/null "http://127.0.0.1:$1/" && return 0; sleep 0.1; done; return 1; }

mkdir -p "$work/content/app/stel7/update"
cp tools/standin/content/app/stel7/update/update.xml "$work/content/app/stel7/update/update.xml"
document=/app/stel7/update/update.xml
count="/app/stel7/analytics/request/count.php?mode=stel7_execute&key=stel7"

# nginx as Debian ships it, on two workers (one per core), logging each request as the server does.
nginx_port=$(free_port)
cat >"$work/nginx.conf" <<CONF
worker_processes auto; daemon off; pid $work/nginx.pid; error_log $work/nginx-error.log;
events { worker_connections 4096; }
http { access_log $work/nginx-access.log; server { listen 127.0.0.1:$nginx_port; root $work/content; types { text/xml xml; } } }
CONF
nginx -c "$work/nginx.conf" &
pids+=($!)
wait_port "$nginx_port"

serve() {  # database [flags...] -> sets port, admin, server_pid
    port=$(free_port)
    admin=$(free_port)
    build/server/stel7-server serve --content "$work/content" --listen "127.0.0.1:$port" --admin "127.0.0.1:$admin" \
        --database "$@" >>"$work/access.log" 2>>"$work/server-error.log" &
    server_pid=$!
    pids+=($server_pid)
    wait_port "$port"
}

# wrk's requests per second and p99 in ms; a non-2xx answer fails the run.
measure() {  # url
    local out
    out=$(wrk -t2 -c$clients -d${seconds}s -H 'Connection: close' --latency "$1")
    if grep -q 'Non-2xx' <<<"$out"; then echo "$1: non-2xx answers" >&2; echo "$out" >&2; exit 1; fi
    awk '/^Requests\/sec/ {rate = $2}
         $1 == "99%" {v = $2; u = v; sub(/[0-9.]+/, "", u); sub(/[a-z]+$/, "", v);
                      p99 = (u == "us") ? v / 1000 : (u == "s") ? v * 1000 : v}
         END {printf "%.0f %.2f\n", rate, p99}' <<<"$out"
}
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
stored() { curl -s "http://127.0.0.1:$admin/report.json" | sed -E 's/.*"execute": ([0-9]+).*/\1/'; }

bash server/tests/scratch-postgres.sh start "$work/postgres"
serve "sqlite:$work/counts.sqlite3"
sqlite_port=$port
serve "sqlite:$work/counts-normal.sqlite3" --sync normal
normal_port=$port
serve "$(cat "$work/postgres/url")"
postgres_port=$port
targets=(nginx doc sqlite normal postgres)
declare -A url=([nginx]="http://127.0.0.1:$nginx_port$document" [doc]="http://127.0.0.1:$sqlite_port$document"
                [sqlite]="http://127.0.0.1:$sqlite_port$count" [normal]="http://127.0.0.1:$normal_port$count"
                [postgres]="http://127.0.0.1:$postgres_port$count")
declare -A label=([nginx]="nginx, static update.xml" [doc]="stel7-server, update.xml"
                  [sqlite]="stel7-server, counts (SQLite)" [normal]="  the same, --sync normal"
                  [postgres]="stel7-server, counts (PostgreSQL)")
declare -A rates p99s
echo "stel7-server benchmark: $(nproc) cores, $clients clients, a new connection per request, ${seconds} s a run,"
echo "  $rounds rounds taking turns (the machine's other load falls on all alike)"
echo "  $(nginx -v 2>&1 | sed 's/nginx version: //'), $(wrk -v 2>&1 | head -1 | cut -d' ' -f1-2), build/server/stel7-server (Release)"
for round in $(seq "$rounds"); do
    for target in "${targets[@]}"; do
        read -r rate p99 < <(measure "${url[$target]}")
        rates[$target]+="$rate "
        p99s[$target]+="$p99 "
        printf '  round %d  %-34s %7d req/s   p99 %7.2f ms\n' "$round" "${label[$target]}" "$rate" "$p99"
    done
done

verdict() { awk -v a="$1" -v b="$3" -v op="$2" 'BEGIN {ok = op == ">=" ? a >= b : a < b; print ok ? "met" : "NOT met"}'; }
echo
echo "medians of $rounds rounds:"
nginx_rate=$(tr ' ' '\n' <<<"${rates[nginx]}" | grep . | median)
declare -A goal=([doc]=0.8 [sqlite]=0.5 [normal]=0.5 [postgres]=0.5)
for target in "${targets[@]}"; do
    rate=$(tr ' ' '\n' <<<"${rates[$target]}" | grep . | median)
    p99=$(tr ' ' '\n' <<<"${p99s[$target]}" | grep . | median)
    printf '  %-34s %7d req/s   p99 %7.2f ms (goal < 20 ms: %s)' "${label[$target]}" "$rate" "$p99" "$(verdict "$p99" "<" 20)"
    if [ "$target" != nginx ]; then
        ratio=$(awk -v a="$rate" -v b="$nginx_rate" 'BEGIN {printf "%.2f", a / b}')
        printf '   %sx nginx (goal >= %sx: %s)' "$ratio" "${goal[$target]}" "$(verdict "$ratio" ">=" "${goal[$target]}")"
    fi
    echo
done

# Memory over a million counts (SQLite): the resident size after each tenth.
serve "sqlite:$work/memory.sqlite3"
echo
echo "memory over $total counts (SQLite), resident size of the server:"
printf '  %10s counts: %7d kB\n' 0 "$(rss_kb "$server_pid")"
step=$((total / 10))
done_counts=0
for mark in $(seq "$step" "$step" "$total"); do
    # Enough requests to reach the mark, in chunks that wrk times itself.
    while [ "$done_counts" -lt "$mark" ]; do
        wrk -t2 -c$clients -d2s -H 'Connection: close' "http://127.0.0.1:$port$count" >/dev/null
        done_counts=$(stored)
    done
    printf '  %10s counts: %7d kB\n' "$done_counts" "$(rss_kb "$server_pid")"
done
