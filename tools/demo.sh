#!/usr/bin/env bash
# Installs what is missing, builds the client with the preview browser
# engine (TavrinPreview.exe of the build this machine's Wine runs), starts
# the demo operator server and runs the client under Wine. On your display
# you drive it; without a display it runs on a private Xvfb and walks the
# road by itself (tools/demo_road.py), saving a screenshot of each step
# under build/demo/. The demo ports are shared: the run holds
# /tmp/tavrin-ports.lock.
set -euo pipefail
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
cd "$(dirname "$0")/.."
tools/install-deps.sh
. tools/wine-env.sh
bits=${WINE_PRESET#win}
export TAVRIN_WINE_BITS=$bits

. tools/xvfb.sh
targets=(TavrinPreview) headless=
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    headless=1
    echo "no display: the demo walks by itself on a private Xvfb ($DISPLAY)"
    targets+=(DdeSend)
fi
cmake --preset "$WINE_PRESET" >/dev/null && cmake --build --preset "$WINE_PRESET" --target "${targets[@]}"
bin="build/$WINE_PRESET/bin"
prefix="$PWD/build/demo-wineprefix"
tests/wine/boot-prefix.sh "$prefix" "$bits" >/dev/null

exec 9>/tmp/tavrin-ports.lock
flock 9
server_options=()
[ -n "$headless" ] && server_options=(--login-delay 3) # time to photograph the splash
exec 3< <(exec python3 tools/operator_server.py --demo "${server_options[@]}")
server=$!
trap 'kill $server 2>/dev/null; WINEPREFIX="$prefix" wineserver -k 2>/dev/null; stop_xvfb' EXIT
for _ in static game maker; do read -r _ <&3; done # each host says it listens

if [ -n "$headless" ]; then
    rm -rf build/demo
    python3 tools/demo_road.py --exe "$bin/TavrinPreview.exe" --dde-send "$bin/DdeSend.exe" \
        --prefix "$prefix" --out build/demo
else
    WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wine "$bin/TavrinPreview.exe" "$@"
fi
