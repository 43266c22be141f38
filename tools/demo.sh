#!/usr/bin/env bash
# Installs what is missing, builds the client, starts the demo operator
# server and runs the client under Wine: on your display, or on a private
# Xvfb when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset win32 >/dev/null && cmake --build --preset win32 --target Tavrin

. tools/xvfb.sh
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    echo "no display: running on a private Xvfb ($DISPLAY)"
fi
prefix="$PWD/build/demo-wineprefix"
tests/wine/boot-prefix.sh "$prefix" >/dev/null

python3 tools/operator_server.py --demo &
server=$!
trap 'kill $server 2>/dev/null; WINEPREFIX="$prefix" wineserver -k 2>/dev/null; stop_xvfb' EXIT
sleep 0.5
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wine build/win32/bin/Tavrin.exe "$@"
