#!/usr/bin/env bash
# The 32-bit stage: the delivered i686 build under 32-bit Wine, run by qemu's
# user-mode emulator on kernels that run no 32-bit code themselves.
#
# Sourced by tools/test.sh (after the session is up: display, stand-in), it
# defines stel7_stage32, which runs the chosen i686 Wine tests through
# run_suite and counts a stage that cannot run here as skipped. Each run
# happens inside a private user and mount namespace with a binfmt_misc
# registration of its own (this script run as "--inside COMMAND..."), so that
# no other process on the machine is told that 32-bit programs start.

# The i686 test cases the stage runs (ctest names without "wine."); extend
# the list as programs and windows are added. Together they cross what a
# 32-bit build can break: message-map and COM calling conventions, structure
# sizes, window subclassing, resources and the manifest.
stel7_stage32_cases=(
    'ExceptionTest\..*'                                             # faults reach the program (the preload)
    'ManifestTest\..*'                                              # the manifest's x86 assembly
    'FaultsTest\.SearchKeepsToTheListOnScreenAndSelectsItsTab'       # a search
    'TransportTest\.DoubleClickedTrackPlaysWithItsClockInTheCaption'  # a music track's clock
    'TransportTest\.VideoWindow.*'                                  # the video window
    'TrayTest\.(CloseBox|OnlyALeftPress).*'                          # tray hide and restore
    'WebBrowser2Test\.ControlFillsAndFollowsItsPlaceholderAndRequestsExactlyTheAddress' # our OLE container
    'Program(Exit)?Test\..*'                                        # the real stel7.exe driven from outside: start-up, sections, music, settings, tray, exit
    'StartUpHangTest\.SearchesDuringASlowStartUpWithAnUpdateLeaveEveryWindowAnswering'  # the window's thread never waits
    'AgentTest\.(SecondAgentEnds|RunningMainProgram|AgentIsNeverSeen).*'  # the real agent
    'InstallerTest\.SilentInstallPlacesAndRecordsTheProgramsAndUninstallLeavesNothingButTheSettings'  # the real installer
    'SettingsDlgTest\..*'                                          # the settings dialog
    'UpdateProgramTest\..*'                                         # an update downloaded, verified and started
)

STEL7_STAGE32_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
STEL7_STAGE32_PREFIX="$STEL7_STAGE32_ROOT/build/wineprefix-win32emu"
STEL7_TRAPFIX="$STEL7_STAGE32_ROOT/build/qemu-trapfix"
# qemu's own i386 pattern: any 32-bit little-endian x86 executable or library.
STEL7_BINFMT_I386=':stel7-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F'

# Runs this script in a new private namespace, in one of its modes below.
stel7_in_namespace() {  # seconds --probe | seconds --inside command...
    timeout -k 10 "$1" unshare --user --map-root-user --mount bash "$STEL7_STAGE32_ROOT/tools/test32.sh" "${@:2}"
}

# Why the stage cannot run here, or nothing.
stel7_stage32_missing() {
    [ -x /usr/bin/qemu-i386 ] || { echo "qemu-i386 is not installed"; return; }
    command -v unshare >/dev/null || { echo "unshare is missing"; return; }
    [ -f "$STEL7_TRAPFIX/lib/i386-linux-gnu/libqemu-trapfix.so" ] || { echo "the trap-number preload is not built"; return; }
    [ -f "$STEL7_STAGE32_ROOT/build/win32/tests/win/x86_tests.exe" ] || { echo "the i686 tests are not built"; return; }
    local reason
    reason=$(stel7_in_namespace 60 --probe 2>&1 >/dev/null) ||
        echo "the emulated 32-bit Wine does not start${reason:+: $reason}"
}

stel7_stage32() {
    echo "== 32-bit stage: the i686 build under 32-bit Wine in qemu's user-mode emulator"
    local reason regex start
    reason=$(stel7_stage32_missing)
    if [ -n "$reason" ]; then
        echo "32-bit stage skipped: $reason"
        skipped=$((skipped + 1))
        return
    fi
    regex="^wine\.($(IFS='|'; echo "${stel7_stage32_cases[*]}"))\$"
    start=$SECONDS
    run_suite stel7_in_namespace 1800 --inside \
        ctest --test-dir "$STEL7_STAGE32_ROOT/build/win32" --output-on-failure --timeout 300 -R "$regex"
    echo "32-bit stage took $((SECONDS - start)) s"
}

# Inside a fresh namespace: the private registration of qemu for i386 programs.
stel7_register_qemu() {
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null ||
        { echo "mounting binfmt_misc in a private namespace was refused" >&2; return 1; }
    printf '%s' "$STEL7_BINFMT_I386" >/proc/sys/fs/binfmt_misc/register ||
        { echo "registering qemu-i386 with binfmt_misc was refused" >&2; return 1; }
}

[ "${BASH_SOURCE[0]}" = "$0" ] || return 0
case "${1:-}" in
--probe)
    # Does the i386 Wine loader start under the emulator?
    set -u
    stel7_register_qemu && exec timeout 60 /usr/lib/wine/wine --version
    ;;
--inside)
    # Runs the command in the stage's own 64-bit prefix, whose services run
    # natively (only the 32-bit programs are emulated), with its own wineserver.
    set -u
    shift
    stel7_register_qemu || exit 1
    source "$STEL7_STAGE32_ROOT/tools/wine-env.sh"
    export STEL7_WINE=/usr/lib/wine/wine64 STEL7_WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64
    export WINEPREFIX="$STEL7_STAGE32_PREFIX"
    # $LIB: i386 processes load the repair, 64-bit ones its empty twin.
    export LD_PRELOAD="$STEL7_TRAPFIX/\$LIB/libqemu-trapfix.so"
    trap stel7_stop_all EXIT
    stel7_start_wine
    "$@"
    ;;
esac
