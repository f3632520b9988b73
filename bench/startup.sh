#!/usr/bin/env bash
# Start-up time and memory of Tivorn against a bare window, in one Wine prefix:
#   bench/startup.sh [ROUNDS]        (default 7 rounds; ARCH=i686 measures the 32-bit build
#                                     when this machine can run it, see README)
# Builds the bare window and the timer (bench/bare_window.cpp, bench/startup_timer.cpp),
# lays out two program folders from the installed tree, one with an empty index and
# one with a century of daily entries (36,500 lines), times the three programs in
# turns (launch to the visible, painted window; medians and ratios to the bare window)
# and then reads each one's resident private memory (Private_Clean + Private_Dirty of
# its process) once its window is up.
# TIVORN_STARTUP_TRACE=file.txt makes Tivorn write the time stamps of its start-up steps.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"
ROUNDS=${1:-7}
ARCH=${ARCH:-x86_64}
TREE=${TREE:-$BUILD/win64}   # TREE=build/win64-release measures the x86-64 Release build
[ "$ARCH" = i686 ] && TREE=$BUILD/win32
SETTLE=8   # seconds until a window is surely up (the 32-bit programs run emulated here)
[ "$ARCH" = i686 ] && SETTLE=25
BENCH=$BUILD/bench-$ARCH
CXX=$ARCH-w64-mingw32-g++-posix
[ -x "$TREE/tivorn.exe" ] || { echo "Build $TREE first (scripts/test.sh)"; exit 1; }
prepare_wine_prefix
mkdir -p "$BENCH"
$CXX -O2 -static -municode -mwindows -o "$BENCH/bare_window.exe" "$ROOT/bench/bare_window.cpp"
$CXX -O2 -static -municode -o "$BENCH/startup_timer.exe" "$ROOT/bench/startup_timer.cpp"

lay_out() {  # <folder> <index lines>
  local dir=$BENCH/$1
  rm -rf "$dir" && mkdir -p "$dir"
  cp -a "$TREE/Tivorn/." "$dir/"
  cp "$TREE/tivorn.exe" "$dir/tivorn.exe"
  python3 - "$dir/Data/index.txt" "$2" <<'PY'
import datetime, sys
path, count = sys.argv[1], int(sys.argv[2])
day = datetime.date(1926, 1, 1)
with open(path, 'wb') as f:
    for i in range(count):
        d = day + datetime.timedelta(days=i)
        line = d.strftime('%Y%m%d') + 'Fogorvos'.ljust(20) + 'Bevásárlás'.ljust(20) + '$FF'.ljust(8) + '$FF0000'.ljust(8)
        f.write(line.encode('cp1250') + b'\r\n')
PY
}
lay_out empty 0
lay_out century 36500
win() { echo "Z:${1//\//\\}"; }

export LANG=hu_HU.UTF-8
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -e
  nice -n 0 "'"$WINE64"'" "'"$BENCH"'/startup_timer.exe" '"$ROUNDS"' \
    "bare=$0" "tivorn-empty=$1" "tivorn-36500=$2"
  mem() {  # resident private memory in kB of a program once its window is up
    "'"$WINE64"'" "$1" & local pid=$!
    sleep '"$SETTLE"'
    # The Windows process is the one whose command line is the program'"'"'s Windows
    # path: for a 64-bit program that is the process started here, for a 32-bit one a
    # process of its own under the 32-bit loader.
    local p program=$pid
    for p in $(pgrep -f "${1##*\\}"); do
      case "$(tr "\0" " " < /proc/$p/cmdline 2>/dev/null)" in "$1"*) program=$p ;; esac
    done
    awk "/^Private_(Clean|Dirty):/ { kb += \$2 } END { print kb }" /proc/$program/smaps_rollup
    kill $program $pid 2>/dev/null; wait $pid 2>/dev/null || true
  }
  bare=$(mem "$0"); empty=$(mem "$1"); full=$(mem "$2")
  LC_ALL=C awk -v b=$bare -v e=$empty -v f=$full "BEGIN { printf \"resident private memory: bare %.1f MB, tivorn-empty %.1f MB (+%.1f MB), tivorn-36500 %.1f MB (+%.1f MB)\\n\", b/1024, e/1024, (e-b)/1024, f/1024, (f-b)/1024 }"
  "'"$ROOT"'/scripts/wait-wineserver.sh" & sleep 1; /usr/lib/wine/wineserver -k 2>/dev/null || true
' "$(win "$BENCH/bare_window.exe")" "$(win "$BENCH/empty/tivorn.exe")" "$(win "$BENCH/century/tivorn.exe")"
