#!/usr/bin/env bash
# Fuzzes one target for a while: run-target.sh <target> <seed corpus> <work folder> <seconds> [runs]
# New inputs go to the work folder (the committed seeds are never changed); an input
# that breaks a property is kept there as crash-*. Prints the number of executions.
set -euo pipefail
target=$1 seeds=$2 work=$3 seconds=$4 runs=${5:--1}
mkdir -p "$work/corpus" "$work/artifacts"
log="$work/last-run.log"
status=0
"$target" -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=1024 -max_len=8192 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds" >"$log" 2>&1 || status=$?
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
echo "$(basename "$target"): ${executions:-0} executions in at most ${seconds}s, exit $status"
if [ $status -ne 0 ]; then
  tail -40 "$log"
  ls "$work/artifacts"
fi
exit $status
