#!/bin/sh
# Prints the tab strip's redraw figures; needs the win32 build and an X display.
# An optional file name saves the drawn strip as a BMP (a Windows path, e.g. Z:\tmp\strip.bmp).
root=$(cd "$(dirname "$0")/.." && pwd)
WINEPREFIX="${WINEPREFIX:-$root/build/win32/wineprefix}" WINEDEBUG=-all \
    wine "$root/build/win32/bin/BenchTabs.exe" "$@"
