#!/usr/bin/env bash
# The 32-bit release as a user gets it, run under qemu-i386 (scripts/run32.sh):
# the 32-bit installer installs it, the program starts from the installed
# folder and shows its month, a day entry is saved through the editor, the
# program closes cleanly and its index holds the entry; the 32-bit uninstaller
# then removes everything.
#
#   program32_test.sh INSTALLER
#
# Needs an X display (the tests run under xvfb-run) and $WINEPREFIX. The
# prefix's virtual desktop is switched off for the run (and back on after), so
# the program's windows are X windows of their own that xdotool can find.
set -uo pipefail
INSTALLER=$(readlink -f "$1")
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
RUN32="$ROOT/scripts/run32.sh"
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
: "${WINEPREFIX:?WINEPREFIX must name the tests\' Wine prefix}"
export LANG=hu_HU.UTF-8 LC_ALL=hu_HU.UTF-8 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

INSTALL_DIR='C:\Tivorn32-proba'
dir="$WINEPREFIX/drive_c/Tivorn32-proba"
work=$(mktemp -d)
failures=0
check() {
  local what=$1; shift
  if "$@"; then echo "ok   - $what"; else echo "FAIL - $what"; failures=$((failures + 1)); fi
}
wine_wait() { timeout 120 "$WINESERVER" -w 2>/dev/null || true; }
# The colour of one pixel of a window as #RRGGBB.
pixel() {  # <window id> <x> <y>
  import -window "$1" "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -1
}
# Whether the pixel shows the colour within 30 s: painting under emulation on a
# busy machine takes its time. Says what it saw when it does not.
pixel_is() {  # <window id> <x> <y> <#RRGGBB>
  local deadline=$((SECONDS + 30)) seen
  while :; do
    seen=$(pixel "$1" "$2" "$3")
    [ "$seen" = "$4" ] && return 0
    [ $SECONDS -ge $deadline ] && { echo "     pixel ($2, $3) is ${seen:-unreadable}, not $4"; return 1; }
    sleep 1
  done
}
# A visible Tivorn window other than <except>, of at least <width> x <height>
# pixels, waiting up to 60 s. Without a window manager the main window is an X
# window of its client area; the editor's X window has its frame too.
find_window() {  # <width> <height> [except]
  local deadline=$((SECONDS + 60)) w size
  while [ $SECONDS -lt $deadline ]; do
    for w in $(xdotool search --onlyvisible --name '^Tivorn V2\.3$' 2>/dev/null); do
      [ "$w" = "${3:-}" ] && continue
      size=$(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
      if [ -n "$size" ] && [ "${size% *}" -ge "$1" ] && [ "${size#* }" -ge "$2" ]; then
        echo "$w $size"; return 0
      fi
    done
    sleep 0.5
  done
  return 1
}
gone() {  # <window id>: waits up to 30 s for it to go
  local deadline=$((SECONDS + 30))
  while [ $SECONDS -lt $deadline ]; do
    xdotool search --onlyvisible --name '^Tivorn V2\.3$' 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.5
  done
  return 1
}

desktop=$("$WINE64" reg query 'HKCU\Software\Wine\Explorer' /v Desktop 2>/dev/null | tr -d '\r' \
          | awk -F '    ' '$2 == "Desktop" { print $4 }')
restore() {
  wine_wait
  restore_desktop
  "$WINE64" reg delete 'HKCU\Software\Ketrabo' /f >/dev/null 2>&1
  "$WINE64" reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tivorn' /f >/dev/null 2>&1
  [ -n "$desktop" ] && "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d "$desktop" /f >/dev/null 2>&1
  wine_wait
  rm -rf "$dir" "$work"
}
trap restore EXIT
trap 'exit 143' TERM INT
WINE=$WINE64
source "$ROOT/tests/installer/private_desktop.sh"
use_private_desktop 'C:\tivorn-program32-desktop'
PROGRAMS=$("$WINE64" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' /v Programs \
           2>/dev/null | tr -d '\r' | awk -F '    ' '$2 == "Programs" { print $4 }')
MENU="$WINEPREFIX/drive_c/$(printf '%s' "${PROGRAMS#[Cc]:\\}" | tr '\\' /)/Ketrabo/Tivorn"
[ -n "$desktop" ] && "$WINE64" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
"$WINE64" reg delete 'HKCU\Software\Ketrabo' /f >/dev/null 2>&1
wine_wait
rm -rf "$dir"

# The 32-bit installer itself is a 32-bit program.
timeout 120 "$RUN32" "$INSTALLER" /S "/D=$INSTALL_DIR"
wine_wait
check "the 32-bit installer installs the program" test -f "$dir/tivorn.exe" -a -f "$dir/Data/Névnapok.txt"

# The month view: client area 786 x 551, the grid below the 33-pixel title bar;
# cell n17 (third row, third column) is always a day of the shown month.
(cd "$dir" && exec "$RUN32" "$dir/tivorn.exe") >"$work/program.log" 2>&1 &
program=$!
read -r main main_w main_h < <(find_window 786 551)
check "the main window appears" test -n "${main:-}"
if [ -n "${main:-}" ]; then
  xdotool mousemove 1279 1023   # away from the cells: no hover colour
  check "a day cell shows its rest colour" pixel_is "$main" 278 281 "#C0C0C0"
  check "the grid shows its colour between the cells" pixel_is "$main" 112 133 "#FF8080"

  # A click on the cell opens the day entry editor with the first title field focused.
  xdotool mousemove --window "$main" 278 281 click 1
  read -r editor editor_w editor_h < <(find_window 458 414 "$main")
  check "the day entry editor opens" test -n "${editor:-}"
  if [ -n "${editor:-}" ]; then
    # The editor's client area (458 x 414) inside its frame of equal borders.
    border=$(( (editor_w - 458) / 2 )); top=$(( editor_h - 414 - border ))
    xdotool mousemove --window "$editor" $((border + 200)) $((top + 15))  # keys go where the pointer is
    xdotool type --delay 80 "Szuret32"
    sleep 1
    xdotool mousemove --window "$editor" $((border + 411)) $((top + 17)) click 1  # "Bezárás mentéssel"
    check "the editor closes after saving" gone "$editor"
    xdotool mousemove 1279 1023
    check "the cell's marker turns red for the new entry" pixel_is "$main" 323 231 "#FF0000"
  fi
  xdotool mousemove --window "$main" 700 16 key alt+F4
fi
deadline=$((SECONDS + 60))
while kill -0 "$program" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.5; done
if kill -0 "$program" 2>/dev/null; then
  check "the program ends when its window closes" false
  kill "$program" 2>/dev/null
else
  wait "$program"
  check "the program ends with exit code 0" test $? -eq 0
fi
check "no crash report" bash -c "! grep -qi 'unhandled exception\|page fault' '$work/program.log'"

first=$(date -d "$(date +%Y-%m-01)" +%u)
day=$(date -d "$(date +%Y-%m-01) + $((17 - first)) days" +%Y%m%d)
check "the index holds the saved entry of $day" grep -q "^${day}Szuret32 " "$dir/Data/index.txt"
check "the day's note file was written" test -f "$dir/Data/$day.rtf"
check "the program made its links beside itself" test -f "$dir/doc.lnk" -a -f "$dir/mail.lnk" -a -f "$dir/ketrabo.lnk"
check "the program made its desktop link" test -f "$DESKTOP/Ketrabo honlapja.lnk"
check "the Start menu holds the installer's link and the program's three" \
  test "$(ls "$MENU" 2>/dev/null | LC_ALL=C sort | tr '\n' '|')" = \
       "Ketrabo honlapja.lnk|Levélküldés.lnk|Program ismertető.lnk|Tivorn.lnk|"

timeout 120 "$RUN32" "$dir/uninstall.exe" /S /DELETEDATA
wine_wait
check "the 32-bit uninstaller removes everything" test ! -e "$dir"
check "the 32-bit uninstaller removes the program's desktop and Start-menu links" \
  test ! -e "$DESKTOP/Ketrabo honlapja.lnk" -a ! -e "$(dirname "$MENU")"

if [ $failures -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "all checks of the 32-bit program passed"
