#!/usr/bin/env bash
# Prints the message-hook round-trip figures; needs the build that Wine runs here (tools/wine-env.sh) and an X display.
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
WINEPREFIX="${WINEPREFIX:-$root/build/$WINE_PRESET/wineprefix}" WINEDEBUG=-all \
    wine "$root/build/$WINE_PRESET/bin/BenchSubclass.exe"
