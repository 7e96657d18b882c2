#!/usr/bin/env bash
# Builds everything: the native core, its tests and the stand-in server, the
# 32-bit Windows programs, and (where this kernel cannot run 32-bit code) the
# 64-bit build of the same sources that the Wine tests and the demo then run.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh

configure() {  # dir [toolchain [cmake options...]]
    local dir=$1 toolchain=${2:-}
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:3}" \
            ${toolchain:+-DCMAKE_TOOLCHAIN_FILE=$PWD/cmake/$toolchain} >/dev/null
    elif [ -n "$toolchain" ] && ! grep -q '^STEL7_UPDATE_PUBLIC_KEY:FILEPATH=.' "$dir/CMakeCache.txt"; then
        # A folder configured before updates were signed gets the test key too.
        cmake "$dir" "${@:3}" >/dev/null
    fi
    cmake --build "$dir"
}

# The demo and the tests sign the stand-in's updater with a key made here once;
# the programs are built with its public half (see "Signed updates" in README.md).
key_dir=build/update-test-key
if [ ! -f "$key_dir/public.pem" ]; then
    mkdir -p "$key_dir"
    openssl genrsa -out "$key_dir/private.pem" 2048 2>/dev/null
    openssl rsa -in "$key_dir/private.pem" -pubout -out "$key_dir/public.pem" 2>/dev/null
fi
keys=(-DSTEL7_UPDATE_PUBLIC_KEY="$PWD/$key_dir/public.pem" -DSTEL7_UPDATE_SIGNING_KEY="$PWD/$key_dir/private.pem")

configure build/native
if [ "$STEL7_WIN_ARCH" = win64 ]; then
    # The 32-bit programs are built; their tests run from the 64-bit build.
    configure build/win32 mingw-i686.cmake -DSTEL7_BUILD_TESTS=OFF "${keys[@]}"
    configure build/win64 mingw-x86_64.cmake "${keys[@]}"
else
    configure build/win32 mingw-i686.cmake "${keys[@]}"
fi
