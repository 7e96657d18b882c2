#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test: the native unit tests, the
# Windows tests under Wine against the local stand-in server, and the 32-bit
# stage (tools/test32.sh).
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh || exit 1
source tools/wine-env.sh
source tools/standin.sh
source tools/test32.sh

stel7_start_session || exit 1

passed=0
failed=0
skipped=0
run_suite() {  # command...: a ctest run, whose summary is added to the counts
    local out
    out=$(mktemp)
    "$@" 2>&1 | tee "$out"
    local line
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -1)
    if [ -z "$line" ]; then
        failed=$((failed + 1))
    else
        local total fails
        fails=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
        passed=$((passed + total - fails))
        failed=$((failed + fails))
    fi
    rm -f "$out"
}

run_suite ctest --test-dir build/native --output-on-failure --timeout 300
run_suite ctest --test-dir "build/$STEL7_WIN_ARCH" --output-on-failure --timeout 300
stel7_stage32
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
