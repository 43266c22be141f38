#!/bin/sh
# Prints the message-hook round-trip figures; needs the win32 build and an X display.
root=$(cd "$(dirname "$0")/.." && pwd)
WINEPREFIX="${WINEPREFIX:-$root/build/win32/wineprefix}" WINEDEBUG=-all \
    wine "$root/build/win32/bin/BenchSubclass.exe"
