#!/usr/bin/env bash
# Brings a fresh Debian 12 machine (root, apt only) to the state the build and the
# tests need. Idempotent: quick when everything is already there.
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64
          googletest libcpp-httplib-dev
          wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick
          locales fonts-nanum python3 curl pkgconf)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    missing=("${packages[@]}")
else
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
fi

# The 32-bit stage runs i386 Wine under qemu's user-mode emulator; bookworm's
# qemu 7.2 breaks Windows exception handling, the backports' 10 does not.
qemu_ready() {
    local v
    v=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null) && dpkg --compare-versions "$v" ge 1:10
}

# Backports come from the address the machine already uses for Debian: the
# suite is added to that entry (deb822 or one-line), never a new host.
add_backports() {
    local f
    grep -qsE '^[^#]*bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources && return 0
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && sed -i -E '/^Suites:/{/ bookworm( |$)/s/$/ bookworm-backports/}' "$f"
    done
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] && sed -i -E 's/^(deb[[:space:]]+(\[[^]]*\][[:space:]]+)?[^[:space:]]+[[:space:]]+)bookworm([[:space:]].*)$/&\n\1bookworm-backports\3/' "$f"
    done
    grep -qsE '^[^#]*bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources || { echo "setup: no Debian bookworm entry to add backports to" >&2; return 1; }
}

need_qemu=no
qemu_ready || { need_qemu=yes; add_backports; }

if [ ${#missing[@]} -gt 0 ] || [ $need_qemu = yes ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    [ ${#missing[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    [ $need_qemu = no ] || apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user >/dev/null
fi

# The Korean locale gives Wine the ANSI code page 949.
if ! locale -a 2>/dev/null | grep -qi '^ko_KR\.utf-\?8$'; then
    sed -i 's/^# *\(ko_KR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ko_KR.UTF-8 UTF-8' /etc/locale.gen || echo 'ko_KR.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
echo "setup: ready"
