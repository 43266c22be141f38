#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, as root (or with
# sudo). Does nothing when everything is already there.
set -euo pipefail

# The README lists these; keep the two the same.
packages=(cmake make g++ libgtest-dev googletest python3 clang libclang-rt-14-dev clang-format
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64
          xvfb xauth x11-xserver-utils x11-utils xdotool imagemagick fonts-wqy-microhei
          openssl util-linux nsis osslsigncode)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
