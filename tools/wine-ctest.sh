#!/usr/bin/env bash
# Runs CTest on a Windows build under Wine as tools/test.sh does: PRESET
# (win32 or win64, or their -preview builds), then any ctest arguments, on a
# private Xvfb, with no Wine server of the build's prefix left from a run on
# another display. For example: tools/wine-ctest.sh win32 -R e2e_login
set -uo pipefail
cd "$(dirname "$0")/.."
preset=$1
shift
. tools/wine-env.sh || exit 1
. tools/xvfb.sh
prefix="$PWD/build/$preset/wineprefix"
# A server left up by a demo or a bench on another display would hand the
# tests that display's screen size.
WINEPREFIX="$prefix" wineserver -k 2>/dev/null
start_xvfb
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null; stop_xvfb' EXIT
ctest --preset "$preset" "$@"
