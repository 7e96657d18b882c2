#!/usr/bin/env bash
# Sets the machine up (tools/setup.sh) and builds everything: the native core,
# its tests and the stand-in server, the 32-bit Windows programs, and (where
# this kernel cannot run 32-bit code) the 64-bit build of the same sources that
# the Wine tests and the demo then run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
source tools/wine-env.sh

configure() {  # dir [toolchain [cmake options...]]
    local dir=$1 toolchain=${2:-}
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:3}" \
            ${toolchain:+-DCMAKE_TOOLCHAIN_FILE=$PWD/cmake/$toolchain} >/dev/null
    fi
    cmake --build "$dir"
}

configure build/native
if [ "$STEL7_WIN_ARCH" = win64 ]; then
    # The 32-bit programs are built; their tests run from the 64-bit build.
    configure build/win32 mingw-i686.cmake -DSTEL7_BUILD_TESTS=OFF
    configure build/win64 mingw-x86_64.cmake
else
    configure build/win32 mingw-i686.cmake
fi
