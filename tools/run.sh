#!/usr/bin/env bash
# Sets up the machine, builds, starts the local stand-in server and runs stel7
# under Wine on it (on Xvfb when there is no display). Prints the path of a
# screenshot of the main window once it is up. With a real display the
# program runs until it is closed; on Xvfb it is closed after the screenshot.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh || exit 1
source tools/wine-env.sh
source tools/standin.sh

had_display=no
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then had_display=yes; fi
stel7_start_session || exit 1

base="http://127.0.0.1:$(sed -n 's/^STEL7_STANDIN_PORT:[A-Z]*=//p' build/native/CMakeCache.txt)"
# The stand-in serves the build's signed updater and its document. The document
# announces the installed build 194, so an update is offered only once the
# document or the installed build ("stel7" under HKCU\Software\stel7\update) changes.
site="$STEL7_ROOT/build/$STEL7_WIN_ARCH/tests/win/update-site"
for file in stel7_update.exe update.xml; do
    [ -f "$site/$file" ] && curl -s -H 'Content-Type: application/octet-stream' --data-binary @"$site/$file" \
        "$base/__standin/doc?path=/app/stel7/update/$file" >/dev/null
done

exe="$STEL7_ROOT/build/$STEL7_WIN_ARCH/app/stel7.exe"
"$STEL7_WINE" "$exe" &
program=$!

# Wait for the main window (caption "스텔론"), then let it finish start-up.
for _ in $(seq 150); do
    xwininfo -root -tree 2>/dev/null | grep -q '스텔론' && break
    sleep 0.2
done
sleep 3
shot="$STEL7_ROOT/build/screenshot.png"
import -window root "$shot" 2>/dev/null && echo "screenshot: $shot"
echo "stand-in request log:"
curl -s "$base/__standin/log" | head -20

if [ "$had_display" = yes ]; then
    wait "$program"
else
    kill "$program" 2>/dev/null
    wait "$program" 2>/dev/null
fi
exit 0
