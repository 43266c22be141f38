#!/usr/bin/env bash
# Runs one libFuzzer target for TAVRIN_FUZZ_SECONDS (10 unless set), starting
# from its committed seeds: FUZZER NAME SEEDS OUT. Prints its executions and
# crashes; fails on any crash, whose input is left as OUT/crashes/NAME-*.
set -uo pipefail
fuzzer=$1 name=$2 seeds=$3 out=$4
seconds=${TAVRIN_FUZZ_SECONDS:-10}
work="$out/corpus/$name"
mkdir -p "$work" "$out/crashes"
rm -f "$out/crashes/$name"-*
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/crashes/$name-" "$work" "$seeds" >"$out/$name.log" 2>&1
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$name.log")
crashes=$(find "$out/crashes" -name "$name-*" | wc -l)
printf '%-12s %12s executions %4s crashes in %s s\n' "$name" "${executions:-?}" "$crashes" "$seconds"
if [ "$crashes" -gt 0 ] || [ -z "$executions" ]; then
    grep -m1 -A12 -E '^==[0-9]+==|runtime error|deadly signal' "$out/$name.log"
    exit 1
fi
