#!/usr/bin/env bash
# Kills the program at random instants while it saves, and checks that no file is
# ever torn:  kill-during-save.sh <64-bit build folder> [kills] [longest delay in ms]
# The program runs under Wine with a 36,500-line index and notes. In each round it
# stores an entry in the day editor (a note file and the index are written) and then
# reaches a save point: "Lista mentés" again and again (two rounds in three), or hiding
# in the notification area, or closing. It is killed at a random instant: in every
# other round one shortly after a temporary file of a save has shown up, so that many
# kills fall inside writes.
# After each kill "index.txt" is byte-equal to its old or its new content, the edited
# note is the old file or a whole new one, no other note changed, and the next start
# leaves no temporary file of ours in Data.
WIN64=$(cd "$1" && pwd)
KILLS=${2:-20}
MAX_DELAY_MS=${3:-2500}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
TOOL="$FAULT_ROOT/tests/fault/index_tool.py"

begin_wine
dir="$FAULT_DIR/run/kill"
data="$dir/Data"
work="$FAULT_DIR/kill-work"
rm -rf "$work" && mkdir -p "$work/torn"
make_program_folder "$dir"
make_large_index "$data"
month=$(date +%Y%m)

old_index=0 new_index=0 torn_index=0 old_note=0 new_note=0 torn_note=0 other_changed=0 hit_save=0 left=0 aimed=0
others_digest() { (cd "$data" && ls ./*.rtf | grep -v "$1" | xargs sha256sum | sha256sum); }

for round in $(seq 1 "$KILLS"); do
  day=$(( (RANDOM % 28) + 1 ))
  date_key=$(printf '%s%02d' "$month" "$day")
  tag="kill-$round-$RANDOM"
  cp "$data/index.txt" "$work/old-index.txt"
  cp "$data/$date_key.rtf" "$work/old-note.rtf"
  python3 "$TOOL" store "$work/old-index.txt" "$date_key" "$tag" > "$work/new-index.txt"
  others_before=$(others_digest "$date_key")

  start_program "$dir"
  wait_main 120 >/dev/null || fail "round $round: the program did not start"
  # The start removes what an earlier kill left behind.
  remaining=$(leftovers "$data")
  for _ in 1 2 3 4 5; do [ -n "$remaining" ] || break; sleep 0.5; remaining=$(leftovers "$data"); done
  [ -z "$remaining" ] || { left=$((left + 1)); echo "round $round: left after start: $remaining"; }

  # The driver's own process, so that it can be stopped with the program.
  case $((round % 6)) in
    0) then_save=(hide) ;;
    3) then_save=(close ok) ;;
    *) then_save=(save 0) ;;
  esac
  "$WINE" "$WIN64/fault_driver.exe" edit "$day" "$tag" "${then_save[@]}" >"$work/driver.log" 2>/dev/null &
  DRIVER_PID=$!
  if [ $((round % 2)) -eq 1 ]; then
    # At any instant of the round.
    delay=$(( RANDOM % MAX_DELAY_MS ))
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
  else
    # At an instant inside a write: soon after a temporary file of the index or of the
    # note shows up.
    target=index.txt
    [ $((round % 4)) -ne 0 ] || target=$date_key
    [ "$(python3 "$TOOL" kill-in-save "$data" "$target" "$PROGRAM_PID" 8000 15)" = "in save" ] && aimed=$((aimed + 1))
  fi
  kill_program
  kill -9 "$DRIVER_PID" 2>/dev/null || true
  wait "$DRIVER_PID" 2>/dev/null || true
  DRIVER_PID=""
  [ -z "$(leftovers "$data")" ] || hit_save=$((hit_save + 1))

  if cmp -s "$data/index.txt" "$work/old-index.txt"; then old_index=$((old_index + 1))
  elif cmp -s "$data/index.txt" "$work/new-index.txt"; then new_index=$((new_index + 1))
  else
    torn_index=$((torn_index + 1))
    cp "$data/index.txt" "$work/torn/index-$round.txt"
    echo "round $round: index.txt torn ($(stat -c %s "$data/index.txt") bytes)"
    cp "$work/old-index.txt" "$data/index.txt"  # go on from a whole file
  fi
  if cmp -s "$data/$date_key.rtf" "$work/old-note.rtf"; then old_note=$((old_note + 1))
  elif python3 "$TOOL" whole-rtf "$data/$date_key.rtf" "note $tag"; then new_note=$((new_note + 1))
  else
    torn_note=$((torn_note + 1))
    cp "$data/$date_key.rtf" "$work/torn/$date_key-$round.rtf"
    echo "round $round: note $date_key.rtf torn"
    cp "$work/old-note.rtf" "$data/$date_key.rtf"
  fi
  [ "$(others_digest "$date_key")" = "$others_before" ] || { other_changed=$((other_changed + 1)); echo "round $round: another note changed"; }
  [ $((round % 25)) -ne 0 ] || echo "after $round kills: index old $old_index new $new_index torn $torn_index"
done

# The last start must clean up too.
start_program "$dir"
wait_main 120 >/dev/null || fail "the program did not start after the last kill"
remaining=$(leftovers "$data")
[ -z "$remaining" ] || { left=$((left + 1)); echo "left after the last start: $remaining"; }
driver close ok >/dev/null || true
wait_program_end

echo "kills: $KILLS, $aimed of them aimed inside a write; a temporary file of ours was there after $hit_save"
echo "index.txt: $old_index old, $new_index new, $torn_index torn"
echo "edited note: $old_note old, $new_note new, $torn_note torn; other notes changed: $other_changed"
echo "starts that left a temporary file of ours: $left"
[ $torn_index -eq 0 ] && [ $torn_note -eq 0 ] && [ $other_changed -eq 0 ] && [ $left -eq 0 ] || fail "a file was torn or changed, or a temporary file stayed"
echo "PASS"
