#!/bin/sh
# Boots the Wine prefix once and keeps its server up for the whole run.
set -e
export WINEPREFIX="$1"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wineserver -p 2>/dev/null || true  # may already be up
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i
fi
wine cmd /c exit 0
