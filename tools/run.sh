#!/usr/bin/env bash
# Sets up the machine, builds, starts the vendor's server (stel7-server) on a
# content folder made from the stand-in's vendor paths, with a release it
# publishes, and the local stand-in for the outside services, and runs stel7
# under Wine on them (on Xvfb when there is no display).
#     bash tools/run.sh            # the main program
#     bash tools/run.sh --agent    # the boot agent first, as at logon; it starts stel7
# Both programs run from build/run, laid out as installed; they are built for
# the demo in build/demo-ARCH with the vendor's host on stel7-server (the test
# builds keep theirs on the stand-in). Prints where the screenshot of the main
# window, the request logs and the counts report are. With a real display the
# program runs until it is closed; on Xvfb it is closed after the screenshot.
# Ctrl-C stops everything the script started.
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

standin_port=$(sed -n 's/^STEL7_STANDIN_PORT:[A-Z]*=//p' build/native/CMakeCache.txt)
base="http://127.0.0.1:$standin_port"
vendor="http://127.0.0.1:$((standin_port + 2))"
admin="127.0.0.1:$((standin_port + 3))"
requests="$STEL7_ROOT/build/requests.log"
server_log="$STEL7_ROOT/build/server.log"
program=""
server=""
save_requests() { curl -s --max-time 5 "$base/__standin/log" >"$requests" 2>/dev/null; }
# The session's own EXIT trap stops the stand-in, the Wine server and Xvfb by
# their process ids; this one first ends the programs it started.
stop_run() {
    save_requests
    [ -n "$program" ] && kill "$program" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null
    stel7_stop_standin
    stel7_stop_all
}
trap stop_run EXIT
trap 'echo; echo "stopped"; exit 130' INT TERM

# The demo's programs: the same sources, the vendor's host on stel7-server.
demo="build/demo-$STEL7_WIN_ARCH"
toolchain=$([ "$STEL7_WIN_ARCH" = win64 ] && echo mingw-x86_64.cmake || echo mingw-i686.cmake)
[ -f "$demo/build.ninja" ] ||
    cmake -S . -B "$demo" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain" \
        -DSTEL7_BUILD_TESTS=OFF -DSTEL7_STANDIN_PORT="$standin_port" -DSTEL7_VENDOR_HOST="${vendor#http://}" \
        -DSTEL7_UPDATE_PUBLIC_KEY="$PWD/build/update-test-key/public.pem" >/dev/null
cmake --build "$demo" --target stel7 stel7agent >/dev/null || exit 1

# The content folder: the stand-in's vendor paths as the URLs name them, and
# the build's signed updater published for both programs by the release
# command. It announces the installed build 194, so an update is offered only
# once a newer build is published or the installed build ("stel7" under
# HKCU\Software\stel7\update) changes.
content="$STEL7_ROOT/build/demo-content"
rm -rf "$content"
mkdir -p "$content/app/stel7"
cp -r tools/standin/content/app/stel7/{advert,config} "$content/app/stel7/"
cp -r tools/standin/content/{zbxe,index.html} "$content/"
mv "$content/zbxe/comedy/rss.xml" "$content/zbxe/comedy/rss"
for post in "$content"/zbxe/comedy/*.html; do mv "$post" "${post%.html}"; done
grep -rlZ '@BASE@' "$content" | xargs -0 sed -i "s|@BASE@|$vendor|g"
for role in stel7 stel7agent; do
    build/server/stel7-server release --content "$content" --role "$role" --build 194 \
        --file "build/$STEL7_WIN_ARCH/tests/win/update-site/stel7_update.exe" \
        --url "$vendor/app/stel7/update/stel7_update.exe" \
        --key build/update-test-key/private.pem --public-key build/update-test-key/public.pem || exit 1
done
build/server/stel7-server serve --content "$content" --listen "${vendor#http://}" --admin "$admin" \
    --database "sqlite:$STEL7_ROOT/build/demo-counts.sqlite3" >"$server_log" 2>&1 &
server=$!
for _ in $(seq 100); do grep -q 'report on' "$server_log" && break; sleep 0.1; done
grep -q 'report on' "$server_log" || { cat "$server_log" >&2; exit 1; }

installed="$STEL7_ROOT/build/run"
mkdir -p "$installed"
cp "$demo/app/stel7.exe" "$demo/agent/stel7agent.exe" "$installed/"
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
    grep -q '/app/stel7/advert/' "$server_log" && break
    sleep 0.2
done
sleep 1
shot="$STEL7_ROOT/build/screenshot.png"
import -window root "$shot" 2>/dev/null && echo "screenshot: $shot"
save_requests
echo "stand-in request log (outside services): $requests ($base/__standin/log)"
head -10 "$requests"
echo "stel7-server access log (vendor's paths): $server_log"
grep ' site ' "$server_log" | head -10
echo "counts report: http://$admin/report ($(curl -s "http://$admin/report.json" | sed -E 's/, "days".*//'))"

if [ "$had_display" = yes ]; then
    if [ "$first" = stel7 ]; then
        wait "$program"
    else
        # The agent ends once it has started stel7; stel7 runs until it is closed.
        while xwininfo -root -tree 2>/dev/null | grep -q '스텔론'; do sleep 1; done
    fi
fi
exit 0
