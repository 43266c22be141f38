#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) with clang and runs each for the
# given seconds (60 unless told), starting from its committed seeds. Prints
# each target's executions and crashes; fails on any crash, whose input is
# left under build/fuzz/crashes/.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
{ cmake --preset fuzz && cmake --build --preset fuzz; } >build-fuzz.log 2>&1 \
    || { cat build-fuzz.log; echo "fuzz build failed"; exit 1; }
rm -f build-fuzz.log

out=build/fuzz
rm -rf "$out/crashes"
mkdir -p "$out/crashes"
status=0
printf '%-12s %12s %8s\n' target executions crashes
for source in tests/fuzz/*Fuzz.cpp; do
    target=$(basename "$source" .cpp)
    name=${target%Fuzz}
    work="$out/corpus/$name"
    mkdir -p "$work"
    "$out/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$out/crashes/$name-" "$work" "tests/fuzz/corpus/$name" \
        >"$out/$name.log" 2>&1
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$name.log")
    crashes=$(find "$out/crashes" -name "$name-*" | wc -l)
    printf '%-12s %12s %8s\n' "$name" "${executions:-?}" "$crashes"
    if [ "$crashes" -gt 0 ] || [ -z "$executions" ]; then
        status=1
        grep -m1 -A12 -E '^==[0-9]+==|runtime error|deadly signal' "$out/$name.log"
    fi
done
exit $status
