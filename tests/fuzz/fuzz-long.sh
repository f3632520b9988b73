#!/usr/bin/env bash
# Fuzzes the core's readers for longer than the test suite does:
#   tests/fuzz/fuzz-long.sh [seconds per target] [target ...]
# (default 600 s each, every target). Builds build/fuzz with clang when needed, runs
# the targets one after another at low priority, keeps the grown corpora under
# build/fuzz/long/<target>, and ends with the total of executions and crashes.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(index codec text_to_int name_days scheme_line task_lines rtf_text search_cache zip ics moved_days reminder_files imported_keys
                                dav_xml dav_url)

build="$ROOT/build/fuzz"
cmake -S "$ROOT" -B "$build" -G Ninja -Wno-dev -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIVORN_FUZZ=ON >/dev/null || exit 1
nice cmake --build "$build" -j2 >/dev/null || exit 1

total=0 crashes=0
for t in "${targets[@]}"; do
  line=$(nice -n 19 "$ROOT/tests/fuzz/run-target.sh" "$build/tests/fuzz/fuzz_$t" "$ROOT/tests/fuzz/corpus/$t" \
         "$build/long/$t" "$seconds" | head -1)
  echo "$line"
  n=$(echo "$line" | sed -n 's/.*: \([0-9]*\) executions.*/\1/p')
  total=$((total + ${n:-0}))
  found=$(ls "$build/long/$t/artifacts" 2>/dev/null | wc -l)
  crashes=$((crashes + found))
  [ "$found" -eq 0 ] || echo "  kept inputs: $(ls "$build/long/$t/artifacts" | tr '\n' ' ')"
done
echo "fuzzing: $total executions, $crashes crash inputs kept"
[ $crashes -eq 0 ]
