#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) with clang and runs each for the
# given seconds (60 unless told) through CTest (label fuzz), starting from its
# committed seeds. Prints each target's executions and crashes; fails on any
# crash, whose input is left under build/fuzz/crashes/.
set -uo pipefail
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
cd "$(dirname "$0")/.."
export TAVRIN_FUZZ_SECONDS=${1:-60}
{ cmake --preset fuzz && cmake --build --preset fuzz; } >build-fuzz.log 2>&1 \
    || { cat build-fuzz.log; echo "fuzz build failed"; exit 1; }
rm -f build-fuzz.log
ctest --preset fuzz --verbose | grep -E "executions|runtime error|==[0-9]+==|tests passed|tests failed|Failed|Passed"; exit "${PIPESTATUS[0]}"
