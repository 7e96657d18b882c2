#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test: the native unit tests and
# the Windows tests under Wine against the local stand-in server.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh || exit 1
source tools/wine-env.sh
source tools/standin.sh

stel7_start_session || exit 1

passed=0
failed=0
run_suite() {  # build dir
    local out
    out=$(mktemp)
    ctest --test-dir "$1" --output-on-failure --timeout 300 2>&1 | tee "$out"
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

run_suite build/native
run_suite "build/$STEL7_WIN_ARCH"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
