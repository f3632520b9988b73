#!/usr/bin/env bash
# Lays out the folder Tivorn is installed as and packs it: the installer
# (NSIS), and on request the portable zip of the same folder.
#
#   make-installer.sh ARCH EXE PDF ICON STAGE OUT_EXE [OUT_ZIP]
#
# ARCH is x86 (the 32-bit release) or amd64 (the 64-bit build the tests install).
# STAGE is made afresh. Every packed file carries the time SOURCE_DATE_EPOCH
# (default: the time of the last commit), so the same sources give the same bytes.
set -euo pipefail
if [ $# -lt 6 ]; then sed -n '2,10p' "$0" >&2; exit 2; fi
ARCH=$1 EXE=$2 PDF=$3 ICON=$4 STAGE=$5 OUT=$6 ZIP=${7:-}
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo 946684800)
fi
export SOURCE_DATE_EPOCH

# The installed folder, exactly: the program, the name-day files, the moved working
# days (Munkarend.txt), the colour
# schemes, the user's guide and the two internet shortcuts.
rm -rf "$STAGE"
mkdir -p "$STAGE/Data"
cp "$EXE" "$STAGE/tivorn.exe"
cp "$PDF" "$STAGE/tivorn.pdf"
cp "$ROOT/data/Színek.txt" "$ROOT/data/mail.url" "$ROOT/data/ketrabo.url" "$STAGE/"
cp "$ROOT/data/Data/Névnapok.txt" "$ROOT/data/Data/Névnapok.rtf" "$ROOT/data/Data/Munkarend.txt" "$STAGE/Data/"
chmod -R u+rwX,go+rX,go-w "$STAGE"
find "$STAGE" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p "$(dirname "$OUT")"
# makensis 3.08 crashes (SIGSEGV) on the file names with accents under a locale that is
# not UTF-8, as a root shell of a fresh Debian has none; C.UTF-8 is always there.
LC_ALL=C.UTF-8 makensis -V2 -INPUTCHARSET UTF8 -DARCH="$ARCH" -DSTAGE="$STAGE" -DICON="$ICON" \
  -DOUTFILE="$OUT" "$ROOT/installer/tivorn.nsi"

if [ -n "$ZIP" ]; then
  /usr/bin/python3 "$ROOT/scripts/portable-zip.py" "$STAGE" "$ZIP"
fi
