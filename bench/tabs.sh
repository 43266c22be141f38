#!/usr/bin/env bash
# Prints the tab strip's redraw figures; needs the build that Wine runs here (tools/wine-env.sh) and an X display.
# An optional file name saves the drawn strip as a BMP (a Windows path, e.g. Z:\tmp\strip.bmp).
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh" || exit 1
# Without a display no strip is made, and the figures would be empty.
[ -n "${DISPLAY:-}" ] || { echo "bench/tabs.sh needs an X display (DISPLAY)" >&2; exit 1; }
"$root/bench/build-programs.sh" "$WINE_PRESET" BenchTabs || exit 1
export WINEPREFIX="${WINEPREFIX:-$root/build/$WINE_PRESET/wineprefix}"
"$root/tests/wine/boot-prefix.sh" "$WINEPREFIX" "${WINE_PRESET#win}" >/dev/null
WINEDEBUG=-all \
    wine "$root/build/$WINE_PRESET/bin/BenchTabs.exe" "$@"
