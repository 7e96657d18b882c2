#!/usr/bin/env bash
# Benchmark of stel7.exe against a bare Win32 dialog program started the same
# way under the same Wine: start-up, a section switch and a search against a raw
# GET of the same document, memory over 1,000 section switches, and what holds
# the working set. Not a test (the test command does not run it); a few minutes.
#     bash tools/bench.sh [runs [switches]]     (defaults: 5 runs, 1000 switches)
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
switches=${2:-1000}
# A fresh clone has no build folder yet: the log goes in it.
mkdir -p build
if ! bash tools/build.sh >build/bench-build.log 2>&1; then
    tail -20 build/bench-build.log >&2
    exit 1
fi
source tools/wine-env.sh
source tools/standin.sh
stel7_start_session || exit 1

# An installed build as new as the update document's, so no update window opens.
"$STEL7_WINE" reg add 'HKCU\Software\stel7\update' /v stel7 /t REG_SZ /d 194 /f >/dev/null 2>&1

echo "stel7 benchmark: $STEL7_WIN_ARCH build, $("$STEL7_WINE" --version), $(nproc) cores; the raw GET is WinInet in the driver, a Wine process like stel7"
timeout 600 "$STEL7_WINE" "build/$STEL7_WIN_ARCH/tools/bench/BenchDriver.exe" "$runs" "$switches"
