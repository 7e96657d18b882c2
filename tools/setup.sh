#!/usr/bin/env bash
# Brings a fresh Debian 12 machine (root, apt only) to the state the build and the
# tests need. Idempotent: quick when everything is already there.
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64
          googletest libcpp-httplib-dev
          wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick
          locales fonts-nanum python3 curl pkgconf openssl)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    missing=("${packages[@]}")
else
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
fi

if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The Korean locale gives Wine the ANSI code page 949.
if ! locale -a 2>/dev/null | grep -qi '^ko_KR\.utf-\?8$'; then
    sed -i 's/^# *\(ko_KR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ko_KR.UTF-8 UTF-8' /etc/locale.gen || echo 'ko_KR.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
echo "setup: ready"
