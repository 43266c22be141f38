#!/bin/bash
# Runs the DPI test executable EXE at 120, 144 and 192 DPI in the prefix
# PREFIX, kept for these runs alone (its LogPixels changes), on a private
# Xvfb large enough for the login screen at 200 %. BITS as boot-prefix.sh.
set -u
exe="$1" prefix="$2" bits="$3"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../../tools/xvfb.sh"
start_xvfb 2800x1800x24
export WINEPREFIX="$prefix" TAVRIN_WINE_BITS="$bits" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export PATH="$here/../../tools/wine-shim:$PATH"
trap 'wineserver -k 2>/dev/null; stop_xvfb' EXIT
"$here/boot-prefix.sh" "$prefix" "$bits" || exit 1
failed=""
for dpi in 120 144 192; do
    # Wine takes the system DPI from here when a process starts.
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null
    wineserver -w
    echo "== $dpi DPI"
    TAVRIN_TEST_DPI="$dpi" wine "$exe" </dev/null || failed="$failed $dpi"
done
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
if [ -n "$failed" ]; then
    echo "failed at:$failed DPI"
    exit 1
fi
