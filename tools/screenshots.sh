#!/usr/bin/env bash
# Takes the README's pictures again (docs/*.png) with the preview engine
# against the demo operator server, on a private Xvfb. Build the client
# first (cmake --build --preset win64, or win32 where Wine runs it).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-env.sh
. tools/xvfb.sh
build="build/$WINE_PRESET"
prefix="$PWD/$build/screenshot-wineprefix"
start_xvfb
tests/wine/boot-prefix.sh "$prefix" >/dev/null
exec 9>/tmp/tavrin-ports.lock
flock 9
python3 tools/operator_server.py --demo &
server=$!
trap 'kill $server 2>/dev/null; WINEPREFIX="$prefix" wineserver -k 2>/dev/null; stop_xvfb' EXIT
python3 tools/screenshots.py --exe "$build/bin/TavrinPreview.exe" --dde-send "$build/bin/DdeSend.exe" \
    --prefix "$prefix"
