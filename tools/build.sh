#!/usr/bin/env bash
# Sets the machine up (tools/setup.sh) and builds everything: the native core,
# its tests, the stand-in server and the vendor's server (stel7-server, tested
# in build/native, deployable from build/server), the 32-bit Windows programs and their
# tests, and (where this kernel cannot run 32-bit code) the 64-bit build of the
# same sources that the Wine tests and the demo then run; the 32-bit tests then
# run in the emulated stage (tools/test32.sh). STEL7_STANDIN_PORT, when set,
# moves every build to another stand-in port, so two work trees can test side
# by side.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
source tools/wine-env.sh

port=(${STEL7_STANDIN_PORT:+-DSTEL7_STANDIN_PORT=$STEL7_STANDIN_PORT})

configure() {  # dir [toolchain [cmake options...]]
    local dir=$1 toolchain=${2:-} option stale=no
    # A folder configured with other options is configured again.
    for option in "${@:3}" "${port[@]}"; do
        option=${option#-D}
        grep -q "^${option%%=*}:[A-Z]*=${option#*=}\$" "$dir/CMakeCache.txt" 2>/dev/null || stale=yes
    done
    if [ ! -f "$dir/build.ninja" ] || [ $stale = yes ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:3}" "${port[@]}" \
            ${toolchain:+-DCMAKE_TOOLCHAIN_FILE=$PWD/cmake/$toolchain} >/dev/null
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
# The Wine tests check a release that stel7-server (built below) publishes.
release=(-DSTEL7_SERVER_PROGRAM="$PWD/build/server/stel7-server")

configure build/native
# The vendor's server as it is deployed: optimised, without the test build's
# sanitizers, built from its own folder (see "The vendor's server" in README.md).
[ -f build/server/build.ninja ] || cmake -S server -B build/server -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/server
configure build/win32 mingw-i686.cmake -DSTEL7_BUILD_TESTS=ON "${keys[@]}" "${release[@]}"
if [ "$STEL7_WIN_ARCH" = win64 ]; then
    configure build/win64 mingw-x86_64.cmake "${keys[@]}" "${release[@]}"
fi

# The trap-number repair the 32-bit stage preloads into i386 Wine under qemu
# (tools/test32.sh), and the empty twin its 64-bit processes load instead.
trapfix() {  # multiarch-dir [gcc options...]
    local out=build/qemu-trapfix/lib/$1/libqemu-trapfix.so
    [ "$out" -nt tools/qemu-trapfix.c ] && return
    mkdir -p "${out%/*}"
    gcc -O2 -Wall -Wextra -fPIC -shared -o "$out" tools/qemu-trapfix.c "${@:2}"
}
trapfix i386-linux-gnu -m32 -fno-stack-protector -nostdlib /lib/i386-linux-gnu/libc.so.6
trapfix x86_64-linux-gnu
