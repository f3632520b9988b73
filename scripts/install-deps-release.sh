#!/usr/bin/env bash
# Installs what the release and its tests need beyond the build (called by
# scripts/install-deps.sh): NSIS for the installer, and for running the 32-bit
# program here (scripts/run32.sh) Debian's 32-bit Wine loader (wine32:i386 with
# the X libraries Wine loads at run time) and qemu-user 10 from bookworm-backports
# (bookworm's own 7.2 takes over a minute per 32-bit process start).
# Does nothing when everything is there. Needs root (or sudo).
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
source "$(dirname "${BASH_SOURCE[0]}")/apt-mirror.sh"

native=(nsis)
i386=(wine32 libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3
      libxxf86vm1 libgnutls30 libfreetype6 libfontconfig1)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=()
for p in "${native[@]}"; do installed "$p" || missing+=("$p"); done
for p in "${i386[@]}"; do installed "$p:i386" || missing+=("$p:i386"); done
qemu_ok=0
case "$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null)" in *bpo12*) qemu_ok=1 ;; esac
if [ ${#missing[@]} -eq 0 ] && [ $qemu_ok -eq 1 ]; then exit 0; fi

export DEBIAN_FRONTEND=noninteractive
update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  update=1
fi
if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  # Backports from the mirror this machine already uses, and from no other.
  mirror=$(require_debian_mirror) || exit 1
  echo "deb $mirror bookworm-backports main" | $SUDO tee /etc/apt/sources.list.d/bookworm-backports.list >/dev/null
  update=1
fi
if [ $update -eq 1 ] || ! apt-cache policy qemu-user | grep -q bpo12; then
  apt_update
fi
if [ ${#missing[@]} -gt 0 ]; then
  apt_install "${missing[@]}"
fi
if [ $qemu_ok -eq 0 ]; then
  $SUDO apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user
fi
