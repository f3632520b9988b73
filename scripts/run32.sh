#!/usr/bin/env bash
# Runs a 32-bit (i686) Windows program on this x86-64 machine, whose kernel
# cannot execute 32-bit code: Debian's wine64 together with the 32-bit Wine
# loader of wine32:i386, which runs under qemu-i386 user-mode emulation.
#
#   run32.sh PROGRAM.exe [ARGS...]     run it; the exit status is the program's
#
# Wine starts a 32-bit process with the loader it finds as the file "wine"
# beside the real path of the running wine64 (it ignores WINELOADER). So a
# private folder holds a copy of wine64, the i386 loader as wine.i386 and a
# wrapper named "wine" that runs wine.i386 under qemu with argv[0] set to the
# wrapper, so 32-bit children of 32-bit programs come back through it too.
# wine64's wineserver serves both. Wine finds its libraries relative to the
# loader (../x86_64-linux-gnu/wine, ../../share/wine), hence the links.
#
# qemu-user must come from bookworm-backports (10.x, installed by
# scripts/install-deps.sh): bookworm's 7.2 ignores the no-replace flag of
# Wine's address-space reservations and takes 70-80 s per process start.
#
# Environment: WINEPREFIX (required: the prefix to run in), QEMU_I386
# [/usr/bin/qemu-i386], RUN32_DIR [build/run32: the private loader folder].
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QEMU_I386=${QEMU_I386:-/usr/bin/qemu-i386}
RUN32_DIR=${RUN32_DIR:-$ROOT/build/run32}
: "${WINEPREFIX:?run32.sh: set WINEPREFIX}"

if [ $# -lt 1 ]; then sed -n '2,21p' "$0" >&2; exit 2; fi
for need in "$QEMU_I386" /usr/lib/wine/wine /usr/lib/wine/wine64; do
  [ -x "$need" ] || { echo "run32.sh: $need is missing (run scripts/install-deps.sh)" >&2; exit 2; }
done

# A prefix that wine64 alone made has no 32-bit half, and every 32-bit program then
# fails with "could not load kernel32.dll": say so plainly instead (wineboot makes it).
if [ "$(basename "$1")" != wineboot ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
  echo "run32.sh: the Wine prefix $WINEPREFIX has no 32-bit half (drive_c/windows/syswow64/kernel32.dll);" >&2
  echo "run32.sh: make the prefix anew through this script (xvfb-run -a $0 wineboot -i in an empty WINEPREFIX;" >&2
  echo "run32.sh: scripts/test.sh does so)" >&2
  exit 2
fi

# The loader folder, made once (again when a package update changed a loader).
loader=$RUN32_DIR/lib/wine32-under-qemu
if ! cmp -s /usr/lib/wine/wine64 "$loader/wine64" || ! cmp -s /usr/lib/wine/wine "$loader/wine.i386"; then
  mkdir -p "$loader"
  ln -sfn /usr/lib/x86_64-linux-gnu "$RUN32_DIR/lib/x86_64-linux-gnu"
  ln -sfn /usr/lib/i386-linux-gnu "$RUN32_DIR/lib/i386-linux-gnu"
  ln -sfn /usr/share "$RUN32_DIR/share"
  ln -sfn /usr/lib/wine/wineserver64 "$loader/wineserver"
  cp /usr/lib/wine/wine "$loader/wine.i386.tmp" && mv -f "$loader/wine.i386.tmp" "$loader/wine.i386"
  cat >"$loader/wine.tmp" <<EOF
#!/bin/sh
exec "$QEMU_I386" -0 "\$0" "\${0%/*}/wine.i386" "\$@"
EOF
  chmod +x "$loader/wine.tmp"
  mv -f "$loader/wine.tmp" "$loader/wine"
  # A copy, not a link: Wine looks for "wine" beside the file's real path.
  cp /usr/lib/wine/wine64 "$loader/wine64.tmp" && mv -f "$loader/wine64.tmp" "$loader/wine64"
fi

export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}
exec "$loader/wine64" "$@"
