#!/bin/bash
# Runs the DPI test executable EXE at 120, 144 and 192 DPI on a private Xvfb
# large enough for the login screen at 200 %, then on two screens too small
# for it at the system's scale: 1920x1080 at 168 DPI and 1024x768 at 96 DPI.
# The prefix PREFIX is kept for these runs alone (its LogPixels changes).
# BITS as boot-prefix.sh.
set -u
exe="$1" prefix="$2" bits="$3"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../../tools/xvfb.sh"
export WINEPREFIX="$prefix" TAVRIN_WINE_BITS="$bits" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export PATH="$here/../../tools/wine-shim:$PATH"
trap 'wineserver -k 2>/dev/null; stop_xvfb' EXIT
screen=""
failed=""
for run in 120@2800x1800 144@2800x1800 192@2800x1800 168@1920x1080 96@1024x768; do
    dpi="${run%@*}"
    if [ "${run#*@}" != "$screen" ]; then
        # A screen of another size: no Wine program may outlive its display.
        wineserver -k 2>/dev/null
        stop_xvfb
        screen="${run#*@}"
        start_xvfb "${screen}x24"
    fi
    if [ "$run" = 120@2800x1800 ]; then
        "$here/boot-prefix.sh" "$prefix" "$bits" || exit 1
    fi
    # Wine takes the system DPI from here when a process starts.
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null
    wineserver -w
    echo "== $dpi DPI on $screen"
    TAVRIN_TEST_DPI="$dpi" wine "$exe" </dev/null || failed="$failed $run"
done
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
if [ -n "$failed" ]; then
    echo "failed at:$failed"
    exit 1
fi
