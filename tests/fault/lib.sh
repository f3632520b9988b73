# Shared steps of the fault scripts: a Wine prefix and an X display of their own (so
# they never disturb the window tests), a program folder with a large index, the
# program started and killed, and the test driver.
# Sourced with WIN64 set to the 64-bit build folder.
set -euo pipefail
FAULT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)
FAULT_DIR="$WIN64/fault"
export WINEPREFIX="$FAULT_DIR/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=hu_HU.UTF-8 LC_ALL=hu_HU.UTF-8
XVFB_PID=""
PROGRAM_PID=""
DRIVER_PID=""

fail() { echo "FAIL: $*"; exit 1; }
note() { echo "-- $*"; }

# Xvfb on a display number that is free now; DISPLAY points at it.
start_display() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$fd_file" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -1 "$fd_file")"
  rm -f "$fd_file"
}

# The prefix lives as long as the build folder; its wineserver only while a script runs.
prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    "$WINESERVER" -w
  fi
  "$WINESERVER" -p 60
}

cleanup() {
  [ -z "$PROGRAM_PID" ] || kill -9 "$PROGRAM_PID" 2>/dev/null || true
  [ -z "$DRIVER_PID" ] || kill -9 "$DRIVER_PID" 2>/dev/null || true
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
  [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
}

begin_wine() {
  trap cleanup EXIT
  trap 'exit 1' INT TERM
  start_display
  prepare_prefix
}

# A fresh program folder <dir>: the program, its installed files and a Data folder.
make_program_folder() {
  local dir=$1
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -a "$WIN64/Tivorn/." "$dir/"
  mkdir -p "$dir/Data"
}

# Windows form of a Linux path (Wine's Z: drive).
winpath() { echo "Z:${1//\//\\}"; }

# Writes <lines> index lines around today, and a note for every day of the
# current month, to <Data folder>.
make_large_index() {
  python3 "$FAULT_ROOT/tests/fault/index_tool.py" make "$1" "${2:-36500}"
}

# Starts the program of <dir> in the background; PROGRAM_PID is its process.
start_program() {
  local dir=$1
  shift
  ( cd "$dir" && exec "$WINE" "$dir/tivorn.exe" "$@" ) >/dev/null 2>&1 &
  PROGRAM_PID=$!
}

kill_program() {
  [ -n "$PROGRAM_PID" ] || return 0
  kill -9 "$PROGRAM_PID" 2>/dev/null || true
  wait "$PROGRAM_PID" 2>/dev/null || true
  PROGRAM_PID=""
}

# Waits for the program to end by itself (after a close).
wait_program_end() {
  [ -n "$PROGRAM_PID" ] || return 0
  for _ in $(seq 100); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
  kill_program
}

driver() { "$WINE" "$WIN64/fault_driver.exe" "$@" 2>>"$FAULT_DIR/driver-errors.log" | tr -d '\r'; }

# Waits for the main window. A driver process that Wine could not start while the
# machine is busy is tried again; a program that does not come fails all tries.
wait_main() {  # <seconds> [more driver commands]
  local attempt
  for attempt in 1 2 3; do
    driver wait-main "$@" && return 0
    echo "(the driver ended without the main window; try $attempt)" >>"$FAULT_DIR/driver-errors.log"
    sleep 1
  done
  return 1
}

# Temporary files of ours in a folder: the atomic writes' and the older fixed names.
leftovers() {
  find "$1" -maxdepth 1 \( -name '*.tivorn-tmp' -o -name 'index.txt.tmp' -o -name 'jegyzet.rtf.tmp' \
    -o -name '[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9].rtf.tmp' \) -printf '%f\n' | sort
}

# Checks on what the driver printed.
expect_line() {  # <log> <text> <what the step was>
  grep -qF -- "$2" "$1" || { cat "$1"; fail "$3: expected \"$2\""; }
}
expect_no_line() {
  if grep -qF -- "$2" "$1"; then cat "$1"; fail "$3: did not expect \"$2\""; fi
}
SAVED_TEXT="Az adatbázis mentése megtörtént."

# A digest of every file in a folder except those named.
folder_digest() {  # <folder> [name to leave out ...]
  local folder=$1
  shift
  (cd "$folder" && find . -maxdepth 1 -type f -printf '%f\n' | sort | grep -vxF -f <(printf '%s\n' "$@" "") |
   xargs -d '\n' sha256sum | sha256sum | cut -c1-16)
}

unmount_data() { if [ -n "${data:-}" ] && mountpoint -q "$data"; then umount "$data" || umount -l "$data"; fi; }

# A program folder whose Data is a tmpfs of its own (it can be filled up, or made
# read-only even for root), the installed data files in it, the display and the
# prefix:  set_up_tmpfs_data <name> <size>. Sets dir, data and log; needs root.
set_up_tmpfs_data() {
  dir="$FAULT_DIR/run/$1"
  data="$dir/Data"
  log="$FAULT_DIR/$1.log"
  unmount_data  # left by a run that was stopped
  make_program_folder "$dir"
  mount -t tmpfs -o size="$2" tmpfs "$data" || fail "cannot mount a tmpfs for Data (run as root)"
  trap 'cleanup; unmount_data' EXIT
  trap 'exit 1' INT TERM
  start_display
  prepare_prefix
  cp -a "$WIN64/Tivorn/Data/." "$data/"
}
