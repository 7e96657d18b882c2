# Sourced: starts the local stand-in server on the port the build points the
# programs at, and stops it again with stel7_stop_standin.
stel7_start_standin() {
    local port log
    port=$(sed -n 's/^STEL7_STANDIN_PORT:[A-Z]*=//p' "$STEL7_ROOT/build/native/CMakeCache.txt")
    log="$STEL7_ROOT/build/standin.log"
    "$STEL7_ROOT/build/native/tools/standin/stel7_standin" --port "${port:-8717}" \
        --data "$STEL7_ROOT/tests/win/data" --count-log "$STEL7_ROOT/build/counts.log" >"$log" 2>&1 &
    STEL7_STANDIN_PID=$!
    for _ in $(seq 100); do
        grep -q listening "$log" 2>/dev/null && return 0
        kill -0 "$STEL7_STANDIN_PID" 2>/dev/null || break
        sleep 0.1
    done
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
