#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds the portable core
# natively and the client for 32-bit and 64-bit Windows, then runs the native
# layer and, in a private Xvfb, the Win32 and end-to-end layers of each
# Windows build under Wine, each in its own prefix (the 32-bit build only
# where this machine can run 32-bit programs).
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

wine_presets=win64
[ "$WINE_PRESET" = win32 ] && wine_presets="win32 win64"
# A server left up by a demo or a bench on another display would hand the
# tests that display's screen size.
for p in $wine_presets; do WINEPREFIX="$PWD/build/$p/wineprefix" wineserver -k 2>/dev/null; done
start_xvfb
trap 'for p in $wine_presets; do WINEPREFIX="$PWD/build/$p/wineprefix" wineserver -k 2>/dev/null; done; stop_xvfb' EXIT

status=0
ctest --preset native || status=1
# The core again under the sanitizers, and its parsers fuzzed 10 s each.
build native-asan && ctest --preset native-asan || status=1
tools/fuzz.sh 10 || status=1
[ "$WINE_PRESET" = win32 ] || echo "this machine cannot run 32-bit programs: the win32 build is not run"
for p in $wine_presets; do
    echo "Wine runs the $p build"
    ctest --preset "$p" || status=1
done
exit $status
