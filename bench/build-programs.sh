#!/usr/bin/env bash
# Builds the benchmark programs (TAVRIN_BENCH) in a preset's build: PRESET
# then the targets. Quiet unless the build fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=$1
shift
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
cd "$root"
if ! { cmake --preset "$preset" -DTAVRIN_BENCH=ON && cmake --build --preset "$preset" --target "$@"; } >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi
