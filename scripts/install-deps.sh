#!/usr/bin/env bash
# Installs the Debian 12 packages Tivorn needs. Does nothing when everything is
# already there. Needs root (or sudo).
#   install-deps.sh run   what building the 64-bit program and running it under Wine needs
#   install-deps.sh       everything: also the tests, the fuzzers, the 32-bit release
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
source "$(dirname "${BASH_SOURCE[0]}")/apt-mirror.sh"
mode=${1:-all}

# The program: the MinGW-w64 compiler, its pictures and guide, Wine with fonts, Xvfb
# and the tools of the screenshot.
packages=(
  cmake ninja-build dpkg-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64
  wine64 xvfb xauth xdotool imagemagick
  fonts-wine fonts-liberation fonts-dejavu-core
  python3 python3-fonttools weasyprint librsvg2-bin locales
)
if [ "$mode" != run ]; then
  # The release: NSIS, and the 32-bit Wine loader under qemu for the 32-bit tests.
  "$(dirname "${BASH_SOURCE[0]}")/install-deps-release.sh"
  packages+=(
    make g++ pkg-config g++-mingw-w64-i686-posix mingw-w64-tools x11-utils
    googletest libjpeg62-turbo-dev libbenchmark-dev zlib1g-dev libminizip-dev libexpat1-dev
    clang libclang-rt-14-dev
    # The sync tests' servers (tests/sync/radicale.sh); the radicale package's own
    # service on port 5232, where it starts one, is not used.
    radicale python3-requests openssl
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

need_src=0
# libjpeg-turbo for the Windows targets is built from Debian's own source package,
# which needs a deb-src line for the archive apt already uses.
if ! grep -rqs 'deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null \
   && ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ 2>/dev/null; then
  need_src=1
fi

# Wine takes its regional settings from LANG: the Hungarian locale must exist.
need_locale=0
locale -a 2>/dev/null | grep -qi '^hu_HU.utf8$' || need_locale=1

if [ ${#missing[@]} -eq 0 ] && [ $need_src -eq 0 ] && [ $need_locale -eq 0 ]; then
  exit 0
fi

if [ $need_src -eq 1 ]; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    $SUDO sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
  else
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $SUDO tee /etc/apt/sources.list.d/tivorn-src.list >/dev/null
  fi
fi

export DEBIAN_FRONTEND=noninteractive
apt_update
if [ ${#missing[@]} -gt 0 ]; then
  apt_install "${missing[@]}"
fi
if ! locale -a 2>/dev/null | grep -qi '^hu_HU.utf8$'; then
  $SUDO sed -i 's/^# *hu_HU.UTF-8 UTF-8/hu_HU.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^hu_HU.UTF-8 UTF-8' /etc/locale.gen || echo 'hu_HU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
