#!/usr/bin/env bash
# Runs a 64-bit Windows test program under wine64; the exit status is the program's.
#
#   run64.sh PROGRAM.exe [ARGS...]
#
# Once in many hundred starts, wine64 ended within 20 ms with a failure status and
# without a line of output, before the program reached its main (whose first line,
# GoogleTest's, is always printed). That is Wine failing to start a process, not the
# program failing, so such a start is tried once more after a second. A program that
# printed anything, or ran for longer, reports its own result as it stands.
set -u
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for attempt in 1 2; do
  started=$SECONDS
  /usr/lib/wine/wine64 "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  if [ "$status" -eq 0 ] || [ -s "$log" ] || [ $((SECONDS - started)) -gt 2 ] || [ "$attempt" -eq 2 ]; then
    exit "$status"
  fi
  echo "run64.sh: wine64 ended with status $status before the program printed anything; starting it once more" >&2
  sleep 1
done
