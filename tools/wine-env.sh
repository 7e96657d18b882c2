# Sourced by the run and test scripts: the Wine environment the programs run in.
# The programs are 32-bit; some kernels have 32-bit emulation switched off
# (ia32_emulation=off), and then the 64-bit build of the same sources runs
# under 64-bit Wine instead.
STEL7_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    export STEL7_WIN_ARCH=win32 STEL7_WINE=/usr/lib/wine/wine STEL7_WINESERVER=/usr/lib/wine/wineserver32
else
    export STEL7_WIN_ARCH=win64 STEL7_WINE=/usr/lib/wine/wine64 STEL7_WINESERVER=/usr/lib/wine/wineserver64
fi
export WINEARCH="$STEL7_WIN_ARCH"
export WINEPREFIX="${STEL7_WINEPREFIX:-$STEL7_ROOT/build/wineprefix-$STEL7_WIN_ARCH}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ko_KR.UTF-8
unset LC_ALL

# Starts Xvfb when there is no usable display; sets DISPLAY.
stel7_start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local n=97
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    STEL7_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "Xvfb did not start" >&2
    return 1
}

# Creates the prefix on first use and keeps one wineserver alive, so that each
# Wine process starts in a fraction of a second.
stel7_start_wine() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        timeout 300 "$STEL7_WINE" wineboot -i >/dev/null 2>&1 || true
        timeout 120 "$STEL7_WINESERVER" -w
    fi
    "$STEL7_WINESERVER" -p >/dev/null 2>&1 || true
    # The installed builds are the shipped ones (7.0.0.194), as an installer
    # records them, so a plain start offers no update. The first of these runs
    # also brings up the prefix's services before the first test (started by a
    # test instead, they would hold its output pipe open).
    local program
    for program in stel7 stel7agent; do
        timeout 120 "$STEL7_WINE" reg add 'HKCU\Software\stel7\update' /v "$program" /d 194 /f >/dev/null 2>&1 || true
    done
    # With no window manager, Wine waits 2 s for an answer that never comes
    # each time a window it lets a manager handle goes from the screen: the
    # windows of the test programs that open the main window are unmanaged.
    for program in app_tests dialogs_tests update_tests; do
        timeout 120 "$STEL7_WINE" reg add "HKCU\\Software\\Wine\\AppDefaults\\$program.exe\\X11 Driver" \
            /v Managed /d N /f >/dev/null 2>&1 || true
    done
}

stel7_stop_all() {
    timeout 30 "$STEL7_WINESERVER" -k >/dev/null 2>&1 || true
    if [ -n "${STEL7_XVFB_PID:-}" ]; then kill "$STEL7_XVFB_PID" 2>/dev/null || true; fi
}
