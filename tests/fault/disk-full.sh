#!/usr/bin/env bash
# A full disk while the program saves:  disk-full.sh <64-bit build folder>
# "Data" is a small tmpfs of its own (room for two copies of the index, as an atomic
# save needs), filled up with a file that is not ours. Every save then fails with
# "Cannot create file", never with the success text; index and notes stay byte-equal;
# the entries in memory stay; once space returns the next save writes everything; no
# temporary file of ours is left.
WIN64=$(cd "$1" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
TOOL="$FAULT_ROOT/tests/fault/index_tool.py"

set_up_tmpfs_data diskfull 8m
make_large_index "$data"
# Today's snapshot was taken earlier in the day, so the saves below meet the full disk
# themselves (a snapshot that fails on a full disk is the snapshot tests' business).
mkdir -p "$data/Mentések" && : > "$data/Mentések/$(date +%Y-%m-%d).zip"
month=$(date +%Y%m)
fill() {  # leaves about <KiB> free
  rm -f "$data/filler.bin"
  local free
  free=$(df -k --output=avail "$data" | tail -1)
  [ "$free" -le "$1" ] || dd if=/dev/zero of="$data/filler.bin" bs=1k count=$((free - $1)) status=none 2>/dev/null || true
}

start_program "$dir"
wait_main 120 >/dev/null || fail "the program did not start"
cp "$data/index.txt" "$FAULT_DIR/diskfull-index.txt"
python3 "$TOOL" store "$data/index.txt" "${month}05" "tele-lemez" > "$FAULT_DIR/diskfull-new-index.txt"

note "room for a note, not for the index: the editor's save fails at the index"
fill 64
driver edit 5 tele-lemez escape save 1 close cancel >"$log"
expect_line "$log" "Cannot create file" "storing an entry with the disk full"
expect_line "$log" "edit: not stored" "storing an entry with the disk full"
expect_no_line "$log" "$SAVED_TEXT" "Lista mentés with the disk full"
expect_line "$log" "question:" "closing with the disk full"
expect_line "$log" "close: still open" "closing with the disk full, answered no"
cmp -s "$data/index.txt" "$FAULT_DIR/diskfull-index.txt" || fail "index.txt changed while the disk was full"
[ -z "$(leftovers "$data")" ] || fail "temporary files left: $(leftovers "$data")"

note "no room at all: the note itself cannot be written"
fill 0
before=$(folder_digest "$data" filler.bin)
driver edit 12 semmi-hely escape save 1 >"$log"
expect_line "$log" "Cannot create file" "storing a note with no room"
expect_line "$log" "edit: not stored" "storing a note with no room"
expect_no_line "$log" "$SAVED_TEXT" "Lista mentés with no room"
[ "$(folder_digest "$data" filler.bin)" = "$before" ] || fail "a file in Data changed while the disk was full"
[ -z "$(leftovers "$data")" ] || fail "temporary files left: $(leftovers "$data")"

note "space returns: the next save writes what memory held"
rm -f "$data/filler.bin"
driver save 1 >"$log"
expect_line "$log" "$SAVED_TEXT" "Lista mentés after space returned"
cmp -s "$data/index.txt" "$FAULT_DIR/diskfull-new-index.txt" || fail "the save after space returned did not write the stored entry"
driver close ok >"$log"
expect_line "$log" "close: closed" "closing after space returned"
wait_program_end
[ -z "$(leftovers "$data")" ] || fail "temporary files left: $(leftovers "$data")"
echo "disk full: every save refused with \"Cannot create file\", files byte-equal, the entry kept and written after space returned"
echo "PASS"
