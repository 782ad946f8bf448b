#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian machine. Idempotent.
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix
          binutils-mingw-w64-x86-64 wine wine32:i386 wine64
          xvfb xdotool imagemagick x11-utils fonts-wqy-zenhei locales googletest wimtools zip)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
elif [ "${need_update:-0}" = 1 ]; then
  apt-get update -q
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
