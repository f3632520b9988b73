#!/usr/bin/env bash
# The installer under Wine: silent installation into the default and into a
# chosen folder, the exact installed layout, the uninstall entry, an upgrade
# over an installation with user data, and both ways of uninstalling.
#
#   installer_test.sh INSTALLER [WINE]
#
# Runs in $WINEPREFIX (the tests' prefix) and leaves it as it found it: no
# installation, no uninstall entry, no Ketrabo settings.
set -uo pipefail
INSTALLER=$(readlink -f "$1")
WINE=${2:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
: "${WINEPREFIX:?WINEPREFIX must name the tests\' Wine prefix}"
# Hungarian settings as a user has them; Wine reads the command line in this locale.
export LANG=hu_HU.UTF-8 LC_ALL=hu_HU.UTF-8
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tivorn'
SETTINGS_KEY='HKCU\Software\Ketrabo\Tivorn'
failures=0
check() {  # <description> <command...>
  local what=$1; shift
  if "$@"; then echo "ok   - $what"; else echo "FAIL - $what"; failures=$((failures + 1)); fi
}
# A Windows path of drive C: as a path of this machine.
unix_path() { local p=${1#[Cc]:\\}; printf '%s/drive_c/%s' "$WINEPREFIX" "${p//\\//}"; }
# `reg query` prints in the console code page of Hungarian Windows (852).
reg_query() { "$WINE" reg query "$@" 2>/dev/null | iconv -f CP852 -t UTF-8 | tr -d '\r'; }
reg_value() {  # <query output> <name>: the value's data
  awk -v name="$2" -F '    ' '$2 == name { print $4 }' <<<"$1"
}
key_missing() { ! "$WINE" reg query "$1" >/dev/null 2>&1; }
wine_wait() { timeout 120 "$WINESERVER" -w 2>/dev/null || true; }
install() { "$WINE" "$INSTALLER" /S "$@"; wine_wait; }
uninstall() { "$WINE" "$1\\uninstall.exe" /S "${@:2}"; wine_wait; }  # the copy in %TEMP% ends later

folders=$(reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders')
LOCAL_APPDATA=$(reg_value "$folders" "Local AppData")
source "$(dirname "${BASH_SOURCE[0]}")/private_desktop.sh"
trap restore_desktop EXIT
trap 'exit 143' TERM INT
use_private_desktop 'C:\tivorn-installer-test-desktop'
PROGRAMS=$(unix_path "$(reg_value "$folders" Programs)")
DEFAULT_DIR="$LOCAL_APPDATA\\Programs\\Tivorn"
# Accents, but no spaces: Wine quotes an argument with spaces, and the installer
# takes /D= only unquoted (as it comes from a Windows command line).
CHOSEN_DIR='C:\Tivorn-próba\Saját_mappa'
[ -n "$LOCAL_APPDATA" ] || { echo "FAIL - the prefix has no Local AppData folder"; exit 1; }

cleanup() {
  "$WINE" reg delete "$UNINSTALL_KEY" /f >/dev/null 2>&1
  "$WINE" reg delete 'HKCU\Software\Ketrabo' /f >/dev/null 2>&1
  rm -rf "$(unix_path "$DEFAULT_DIR")" "$(unix_path 'C:\Tivorn-próba')" "$PROGRAMS/Ketrabo" \
         "$DESKTOP/Ketrabo honlapja.lnk"
}
cleanup

# ---------------------------------------------------------------------------
# The exact installed folder.
expected_layout=$(printf '%s\n' Data Data/Munkarend.txt Data/Névnapok.rtf Data/Névnapok.txt Színek.txt ketrabo.url \
  mail.url tivorn.exe tivorn.pdf uninstall.exe | LC_ALL=C sort)
layout_of() { (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }

install
dir=$(unix_path "$DEFAULT_DIR")
check "default folder is the user's own: $DEFAULT_DIR" test -f "$dir/tivorn.exe"
check "installed folder holds exactly the program's files" \
  test "$(layout_of "$dir")" = "$expected_layout"
check "the start menu holds only the link that starts the program" \
  test "$(ls -A "$PROGRAMS/Ketrabo/Tivorn" 2>/dev/null)" = "Tivorn.lnk"
check "the installer makes no desktop link" test ! -e "$DESKTOP/Ketrabo honlapja.lnk"
uninstall "$DEFAULT_DIR"
check "uninstalling an unused installation leaves no folder" test ! -e "$dir"

# ---------------------------------------------------------------------------
# A chosen folder (spaces, accents), with the uninstall entry.
install "/D=$CHOSEN_DIR"
dir=$(unix_path "$CHOSEN_DIR")
check "installs into the chosen folder" test "$(layout_of "$dir")" = "$expected_layout"
entry=$(reg_query "$UNINSTALL_KEY")
check "uninstall entry: display name" test "$(reg_value "$entry" DisplayName)" = "Tivorn határidőnapló"
check "uninstall entry: version 2.3" test "$(reg_value "$entry" DisplayVersion)" = "2.3"
check "uninstall entry: publisher" test "$(reg_value "$entry" Publisher)" = "Ketrabo"
check "uninstall entry: icon" test "$(reg_value "$entry" DisplayIcon)" = "$CHOSEN_DIR\\tivorn.exe,0"
check "uninstall entry: folder" test "$(reg_value "$entry" InstallLocation)" = "$CHOSEN_DIR"
check "uninstall entry: uninstaller" \
  test "$(reg_value "$entry" UninstallString)" = "\"$CHOSEN_DIR\\uninstall.exe\""
size_kib=$(( $(reg_value "$entry" EstimatedSize) ))
files_kib=$(find "$dir" -type f ! -name uninstall.exe -printf '%s\n' | awk '{ s += $1 } END { print int(s / 1024) }')
check "uninstall entry: size ${size_kib} KiB for ${files_kib} KiB of files" \
  test "$size_kib" -ge "$files_kib" -a "$size_kib" -le $((files_kib + 16))

# What the program and its user make in the installed folder: data, links, settings.
printf '%s\r\n' "20261208Szüret              Ünnep               \$FF     \$8000  " \
  | iconv -f UTF-8 -t CP1250 >"$dir/Data/index.txt"
printf '{\\rtf1 nap}' >"$dir/Data/20261208.rtf"
printf '{\\rtf1 jegyzet}' >"$dir/Data/jegyzet.rtf"
for link in doc mail ketrabo; do printf 'link' >"$dir/$link.lnk"; done
printf 'link' >"$DESKTOP/Ketrabo honlapja.lnk"
for link in "Program ismertető" "Ketrabo honlapja" "Levélküldés"; do
  printf 'link' >"$PROGRAMS/Ketrabo/Tivorn/$link.lnk"
done
"$WINE" reg add "$SETTINGS_KEY" /v Ikonok /d OK /f >/dev/null 2>&1
"$WINE" reg add "$SETTINGS_KEY" /v Szin1 /d '$8080FF' /f >/dev/null 2>&1
saved=$(mktemp -d)
cp -a "$dir/Data" "$saved/"
printf 'damaged' >"$dir/Színek.txt"   # a repair puts the installed file back

# ---------------------------------------------------------------------------
# Upgrade / repair: no folder given, it goes where the installed copy is.
install
check "the upgrade finds the installed folder" test ! -e "$(unix_path "$DEFAULT_DIR")"
check "the upgrade repairs an installed file" cmp -s "$dir/Színek.txt" "$(dirname "$0")/../../data/Színek.txt"
for f in index.txt 20261208.rtf jegyzet.rtf; do
  check "the upgrade leaves Data\\$f byte for byte" cmp -s "$dir/Data/$f" "$saved/Data/$f"
done
check "the upgrade adds no link beside the program's own" \
  test "$(ls "$PROGRAMS/Ketrabo/Tivorn" | wc -l)" -eq 4 -a "$(ls "$dir" | grep -c '\.lnk$')" -eq 3

# ---------------------------------------------------------------------------
# Uninstall, box not ticked: program and links go, the user's data stays.
uninstall "$CHOSEN_DIR"
check "uninstall removes the program files" \
  test "$(layout_of "$dir")" = "$(printf '%s\n' Data Data/20261208.rtf Data/index.txt Data/jegyzet.rtf)"
for f in index.txt 20261208.rtf jegyzet.rtf; do
  check "uninstall keeps Data\\$f" cmp -s "$dir/Data/$f" "$saved/Data/$f"
done
check "uninstall removes the desktop link" test ! -e "$DESKTOP/Ketrabo honlapja.lnk"
check "uninstall removes the start-menu links and folders" test ! -e "$PROGRAMS/Ketrabo"
check "uninstall removes the uninstall entry" key_missing "$UNINSTALL_KEY"
settings=$(reg_query "$SETTINGS_KEY")
check "uninstall forgets the links were made, keeps the colours" \
  test -z "$(reg_value "$settings" Ikonok)" -a "$(reg_value "$settings" Szin1)" = '$8080FF'

# ---------------------------------------------------------------------------
# Reinstall over the kept data, then uninstall with the box ticked.
install "/D=$CHOSEN_DIR"
check "a new installation finds the kept data" cmp -s "$dir/Data/index.txt" "$saved/Data/index.txt"
uninstall "$CHOSEN_DIR" /DELETEDATA
check "uninstall with the box ticked removes the data and the folder" test ! -e "$dir"
check "uninstall with the box ticked removes the settings" key_missing 'HKCU\Software\Ketrabo'

rm -rf "$saved"
cleanup
if [ $failures -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "all installer checks passed"
