#!/usr/bin/env bash
# Takes the README's pictures again (docs/*.png) with the preview engine
# against the demo operator server, and the setup's pages, on a private
# Xvfb. Build the client first (cmake --build --preset win32).
# TAVRIN_SCREENSHOT_DPI=144 takes them at 150 % (the names then end in
# "-150"); 96 without it.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-env.sh
. tools/xvfb.sh
build="build/$WINE_PRESET"
prefix="$PWD/$build/screenshot-wineprefix"
dpi="${TAVRIN_SCREENSHOT_DPI:-96}"
start_xvfb "$((1280 * dpi / 96))x$((1024 * dpi / 96))x24"
tests/wine/boot-prefix.sh "$prefix" >/dev/null
WINEPREFIX="$prefix" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
exec 9>/tmp/tavrin-ports.lock
flock 9
python3 tools/operator_server.py --demo &
server=$!
trap 'kill $server 2>/dev/null; WINEPREFIX="$prefix" wineserver -k 2>/dev/null; stop_xvfb' EXIT
python3 tools/screenshots.py --exe "$build/bin/TavrinPreview.exe" --dde-send "$build/bin/DdeSend.exe" \
    --prefix "$prefix" --dpi "$dpi"
# The setup's pages (docs/setup-*.png), in a prefix of their own.
if [ "$dpi" = 96 ]; then
    python3 tools/setup_screenshots.py --makensis makensis --defines "$build/installer/defines.nsh" \
        --script installer/Tavrin.nsi --prefix "$PWD/$build/setup-screenshot-wineprefix" --title Drelmoor2
fi
