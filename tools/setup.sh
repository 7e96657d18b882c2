#!/usr/bin/env bash
# Brings a fresh Debian 12 machine (root, apt only) to the state the build and the
# tests need; the vendor's server adds OpenSSL, SQLite, libpq, the PostgreSQL
# server its tests start and Chromium that reads its report. Idempotent: quick
# when everything is already there.
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64
          googletest libcpp-httplib-dev
          wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick
          locales fonts-nanum python3 curl pkgconf nsis openssl
          libssl-dev libsqlite3-dev libpq-dev postgresql chromium)

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
sources=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
has_backports() { grep -qsE '^[^#]*bookworm-backports' "${sources[@]}"; }
add_backports() {
    local f
    has_backports && return 0
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && sed -i -E '/^Suites:/{/ bookworm( |$)/s/$/ bookworm-backports/}' "$f"
    done
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] && sed -i -E 's/^(deb[[:space:]]+(\[[^]]*\][[:space:]]+)?[^[:space:]]+[[:space:]]+)bookworm([[:space:]].*)$/&\n\1bookworm-backports\3/' "$f"
    done
    has_backports
}

# Without qemu the 32-bit stage is skipped, so its absence fails nothing here.
need_qemu=no
if ! qemu_ready; then
    if add_backports; then
        need_qemu=yes
    else
        echo "setup: no Debian bookworm source entry to add backports to; no qemu-user" >&2
    fi
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_qemu = yes ]; then
    export DEBIAN_FRONTEND=noninteractive
    # A failed update only matters when more than qemu is missing.
    apt-get update -qq || [ ${#missing[@]} -eq 0 ]
    [ ${#missing[@]} -eq 0 ] || apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    [ $need_qemu = no ] || apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user >/dev/null ||
        echo "setup: qemu-user could not be installed from bookworm-backports" >&2
fi

# The Korean locale gives Wine the ANSI code page 949.
if ! locale -a 2>/dev/null | grep -qi '^ko_KR\.utf-\?8$'; then
    sed -i 's/^# *\(ko_KR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ko_KR.UTF-8 UTF-8' /etc/locale.gen || echo 'ko_KR.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
echo "setup: ready"
