#!/usr/bin/env bash
# Saving into a read-only index, a read-only Data folder and an index that another
# program holds open without sharing:  read-only-and-locked.sh <64-bit build folder>
# Each time the user gets a clear error (never the success text), the files stay
# byte-equal, the entries in memory stay, and the next save once the file can be
# written again writes everything.
WIN64=$(cd "$1" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
TOOL="$FAULT_ROOT/tests/fault/index_tool.py"

set_up_tmpfs_data readonly 16m
make_large_index "$data" 3650
month=$(date +%Y%m)
index="$data/index.txt"
keep() { cp "$index" "$FAULT_DIR/readonly-index.txt"; before=$(folder_digest "$data"); }
unchanged() {
  cmp -s "$index" "$FAULT_DIR/readonly-index.txt" || fail "$1: index.txt changed"
  [ "$(folder_digest "$data")" = "$before" ] || fail "$1: a file in Data changed"
  [ -z "$(leftovers "$data")" ] || fail "$1: temporary files left: $(leftovers "$data")"
}

note "read-only index.txt"
start_program "$dir"
wait_main 120 >/dev/null || fail "the program did not start"
python3 "$TOOL" store "$index" "${month}03" "csak-olvas" > "$FAULT_DIR/readonly-new-index.txt"
chmod a-w "$index"
cp "$index" "$FAULT_DIR/readonly-index.txt"
driver edit 3 csak-olvas escape save 1 close cancel >"$log"
expect_line "$log" "Cannot create file" "storing an entry into a read-only index"
expect_no_line "$log" "$SAVED_TEXT" "Lista mentés into a read-only index"
expect_line "$log" "question:" "closing with a read-only index"
expect_line "$log" "close: still open" "closing with a read-only index, answered no"
cmp -s "$index" "$FAULT_DIR/readonly-index.txt" || fail "the read-only index changed"
chmod u+w "$index"
driver save 1 >"$log"
expect_line "$log" "$SAVED_TEXT" "Lista mentés once the index is writable"
cmp -s "$index" "$FAULT_DIR/readonly-new-index.txt" || fail "the entry kept in memory was not written"

note "read-only Data folder"
mount -o remount,ro "$data"
keep
# (Nothing is changed in memory here, as the note could not be stored: closing would
# ask nothing and close, so the window stays for the save below.)
driver edit 9 csak-olvas-mappa escape save 1 >"$log"
expect_line "$log" "Cannot create file" "storing a note into a read-only folder"
expect_line "$log" "edit: not stored" "storing a note into a read-only folder"
expect_no_line "$log" "$SAVED_TEXT" "Lista mentés into a read-only folder"
unchanged "read-only Data folder"
mount -o remount,rw "$data"
driver save 1 >"$log"
expect_line "$log" "$SAVED_TEXT" "Lista mentés once the folder is writable"
cmp -s "$index" "$FAULT_DIR/readonly-new-index.txt" || fail "the save after the folder became writable lost entries"

note "index locked by another program while the window is hidden, then shown"
driver hide >"$log"
expect_line "$log" "hide: hidden" "hiding in the notification area"
keep
rm -f "$FAULT_DIR/release.flag"
"$WINE" "$WIN64/hold_file.exe" "$(winpath "$index")" "$(winpath "$FAULT_DIR/release.flag")" >"$FAULT_DIR/hold.log" 2>/dev/null &
holder=$!
for _ in $(seq 100); do grep -q holding "$FAULT_DIR/hold.log" 2>/dev/null && break; sleep 0.1; done
grep -q holding "$FAULT_DIR/hold.log" || fail "the helper could not lock index.txt"
# A second start brings the hidden window back: the show sequence reads the index again.
( cd "$dir" && "$WINE" "$dir/tivorn.exe" ) >/dev/null 2>&1 || true
driver wait-main 60 open 14 save 1 >"$log"
expect_line "$log" "Cannot open file" "showing the window with the index locked"
# The entries read before stay in memory: the day opens as it was.
expect_line "$log" "open: editor" "opening a day whose line was read before the lock"
expect_line "$log" "Cannot create file" "Lista mentés with the index locked"
expect_no_line "$log" "$SAVED_TEXT" "Lista mentés with the index locked"
# (Nothing changed since the last save: closing now would lose nothing, ask nothing and close.)
touch "$FAULT_DIR/release.flag"
wait "$holder" || true
unchanged "locked index"
driver save 1 >"$log"
expect_line "$log" "$SAVED_TEXT" "Lista mentés once the lock is gone"
cmp -s "$index" "$FAULT_DIR/readonly-new-index.txt" || fail "entries in memory were lost while the index was locked"

note "index locked at start"
driver close ok >"$log"
wait_program_end
keep
rm -f "$FAULT_DIR/release.flag"
"$WINE" "$WIN64/hold_file.exe" "$(winpath "$index")" "$(winpath "$FAULT_DIR/release.flag")" >"$FAULT_DIR/hold.log" 2>/dev/null &
holder=$!
for _ in $(seq 100); do grep -q holding "$FAULT_DIR/hold.log" 2>/dev/null && break; sleep 0.1; done
start_program "$dir"
driver wait-main 120 open 14 save 1 close ok >"$log"
expect_line "$log" "Cannot open file" "starting with the index locked"
expect_line "$log" "open: no editor" "opening a day of an index that could not be read"
expect_no_line "$log" "$SAVED_TEXT" "Lista mentés of an index that could not be read"
expect_line "$log" "close: closed" "closing without saving, answered yes"
wait_program_end
touch "$FAULT_DIR/release.flag"
wait "$holder" || true
unchanged "index locked at start"
echo "read-only index, read-only Data folder, locked index: errors shown, files byte-equal, nothing lost"
echo "PASS"
