#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds the portable core
# natively and the client for 32-bit Windows (and checks that the 64-bit
# build compiles), then runs both test layers, the Win32 one under Wine in
# a private Xvfb.
set -uo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh || exit 1
. tools/xvfb.sh
. tools/wine-env.sh

build() {
    cmake --preset "$1" >"build-$1.log" 2>&1 && cmake --build --preset "$1" >>"build-$1.log" 2>&1 \
        || { cat "build-$1.log"; echo "build $1 failed"; return 1; }
    rm -f "build-$1.log"
}
build native && build win32 && build win64 || exit 1

start_xvfb
prefix="$PWD/build/$WINE_PRESET/wineprefix"
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null; stop_xvfb' EXIT

status=0
ctest --preset native || status=1
# The core again under the sanitizers, and its parsers fuzzed 10 s each.
build native-asan && ctest --preset native-asan || status=1
tools/fuzz.sh 10 || status=1
echo "Wine runs the $WINE_PRESET build here"
ctest --preset "$WINE_PRESET" || status=1
exit $status
