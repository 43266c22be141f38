#!/usr/bin/env bash
# Installs what is missing, builds the client with the preview browser
# engine (its own build folder), starts the demo operator server and runs
# the client under Wine: on your display, or on a private Xvfb when there is
# none. The demo ports are shared, so the run holds /tmp/tavrin-ports.lock.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
. tools/wine-env.sh
# The build this machine's Wine can run (see CMakePresets.json).
case "$WINE_PRESET" in
    win32) preset=win32-preview build=build/preview ;;
    *) preset=win64-preview build=build/preview64 ;;
esac
cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target Tavrin

. tools/xvfb.sh
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    echo "no display: running on a private Xvfb ($DISPLAY)"
fi
prefix="$PWD/build/demo-wineprefix"
tests/wine/boot-prefix.sh "$prefix" >/dev/null

exec 9>/tmp/tavrin-ports.lock
flock 9
python3 tools/operator_server.py --demo &
server=$!
trap 'kill $server 2>/dev/null; WINEPREFIX="$prefix" wineserver -k 2>/dev/null; stop_xvfb' EXIT
sleep 0.5
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wine "$build/bin/Tavrin.exe" "$@"
