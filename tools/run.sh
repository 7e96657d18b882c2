#!/usr/bin/env bash
# Sets up the machine, builds, starts the local stand-in server with the demo
# content and runs stel7 under Wine on it (on Xvfb when there is no display).
#     bash tools/run.sh            # the main program
#     bash tools/run.sh --agent    # the boot agent first, as at logon; it starts stel7
# Both programs run from build/run, laid out as installed. Prints where the
# screenshot of the main window and the server's request log are. With a real
# display the program runs until it is closed; on Xvfb it is closed after the
# screenshot. Ctrl-C stops everything the script started.
set -uo pipefail
cd "$(dirname "$0")/.."
first=stel7
case "${1:-}" in
    "") ;;
    --agent) first=stel7agent ;;
    *) echo "usage: bash tools/run.sh [--agent]" >&2; exit 2 ;;
esac
bash tools/build.sh || exit 1
source tools/wine-env.sh
source tools/standin.sh

had_display=no
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then had_display=yes; fi
stel7_start_session || exit 1

base="http://127.0.0.1:$(sed -n 's/^STEL7_STANDIN_PORT:[A-Z]*=//p' build/native/CMakeCache.txt)"
requests="$STEL7_ROOT/build/requests.log"
program=""
save_requests() { curl -s --max-time 5 "$base/__standin/log" >"$requests" 2>/dev/null; }
# The session's own EXIT trap stops the stand-in, the Wine server and Xvfb by
# their process ids; this one first ends the program it started.
stop_run() {
    save_requests
    [ -n "$program" ] && kill "$program" 2>/dev/null
    stel7_stop_standin
    stel7_stop_all
}
trap stop_run EXIT
trap 'echo; echo "stopped"; exit 130' INT TERM

# The stand-in serves the build's signed updater and its document. The document
# announces the installed build 194, so an update is offered only once the
# document or the installed build ("stel7" under HKCU\Software\stel7\update) changes.
site="$STEL7_ROOT/build/$STEL7_WIN_ARCH/tests/win/update-site"
for file in stel7_update.exe update.xml; do
    [ -f "$site/$file" ] && curl -s -H 'Content-Type: application/octet-stream' --data-binary @"$site/$file" \
        "$base/__standin/doc?path=/app/stel7/update/$file" >/dev/null
done

installed="$STEL7_ROOT/build/run"
mkdir -p "$installed"
cp "build/$STEL7_WIN_ARCH/app/stel7.exe" "build/$STEL7_WIN_ARCH/agent/stel7agent.exe" "$installed/"
"$STEL7_WINE" "$installed/$first.exe" &
program=$!
echo "started $first.exe (process $program); Ctrl-C stops everything"

# The main window (caption "스텔론") shows at once; its start-up ends with the
# pop-up check, the last request it makes.
for _ in $(seq 300); do
    xwininfo -root -tree 2>/dev/null | grep -q '스텔론' && break
    sleep 0.2
done
for _ in $(seq 150); do
    curl -s --max-time 5 "$base/__standin/log" | grep -q '/app/stel7/advert/' && break
    sleep 0.2
done
sleep 1
shot="$STEL7_ROOT/build/screenshot.png"
import -window root "$shot" 2>/dev/null && echo "screenshot: $shot"
save_requests
echo "stand-in request log: $requests ($base/__standin/log)"
head -20 "$requests"

if [ "$had_display" = yes ]; then
    if [ "$first" = stel7 ]; then
        wait "$program"
    else
        # The agent ends once it has started stel7; stel7 runs until it is closed.
        while xwininfo -root -tree 2>/dev/null | grep -q '스텔론'; do sleep 1; done
    fi
fi
exit 0
