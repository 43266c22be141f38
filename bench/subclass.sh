#!/usr/bin/env bash
# Prints the message-hook round-trip figures; needs the build that Wine runs here (tools/wine-env.sh) and an X display.
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh" || exit 1
"$root/bench/build-programs.sh" "$WINE_PRESET" BenchSubclass || exit 1
export WINEPREFIX="${WINEPREFIX:-$root/build/$WINE_PRESET/wineprefix}"
"$root/tests/wine/boot-prefix.sh" "$WINEPREFIX" "${WINE_PRESET#win}" >/dev/null
WINEDEBUG=-all \
    wine "$root/build/$WINE_PRESET/bin/BenchSubclass.exe"
