# Sourced: starts the local stand-in server on the port the build points the
# programs at, and stops it again with stel7_stop_standin.

# Starts the server once; 0 when it listens, 2 when the port is still taken.
stel7_try_standin() {
    local port=$1 log=$2
    "$STEL7_ROOT/build/native/tools/standin/stel7_standin" --port "$port" \
        --data "$STEL7_ROOT/tests/win/data" --count-log "$STEL7_ROOT/build/counts.log" >"$log" 2>&1 &
    STEL7_STANDIN_PID=$!
    for _ in $(seq 100); do
        grep -q listening "$log" 2>/dev/null && return 0
        if ! kill -0 "$STEL7_STANDIN_PID" 2>/dev/null; then
            grep -q "already in use" "$log" && return 2
            return 1
        fi
        sleep 0.1
    done
    return 1
}

stel7_start_standin() {
    local port log status
    port=$(sed -n 's/^STEL7_STANDIN_PORT:[A-Z]*=//p' "$STEL7_ROOT/build/native/CMakeCache.txt")
    log="$STEL7_ROOT/build/standin.log"
    # The port of an earlier run stays taken while its connections linger in
    # TIME_WAIT (up to a minute here, even with SO_REUSEADDR).
    for _ in $(seq 40); do
        stel7_try_standin "${port:-8717}" "$log"
        status=$?
        [ $status -eq 2 ] || break
        sleep 2
    done
    [ $status -eq 0 ] && return 0
    echo "the stand-in server did not start:" >&2
    cat "$log" >&2
    return 1
}

stel7_stop_standin() {
    if [ -n "${STEL7_STANDIN_PID:-}" ]; then
        kill "$STEL7_STANDIN_PID" 2>/dev/null || true
        wait "$STEL7_STANDIN_PID" 2>/dev/null || true
    fi
}

# Everything a run of the programs needs: a display, the Wine server and the
# stand-in, all stopped again when the calling script exits.
stel7_start_session() {
    trap 'stel7_stop_standin; stel7_stop_all' EXIT
    stel7_start_display || return 1
    stel7_start_wine
    stel7_start_standin
}
