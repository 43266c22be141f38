#!/bin/sh
# Boots the Wine prefix once and keeps its server up for the whole run.
set -e
PATH="$(cd "$(dirname "$0")/../../tools/wine-shim" && pwd):$PATH"
export PATH
export WINEPREFIX="$1"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
# Wine's server and service processes outlive this script: they must not
# hold on to the caller's output, or CTest waits for them forever.
exec </dev/null >>"$WINEPREFIX/boot.log" 2>&1
wineserver -p 2>/dev/null || true # may already be up
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i
    # Chinese texts need a CJK font behind the dialog fonts (Debian's
    # fonts-wqy-microhei); Windows has its own.
    link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        wine reg add "$link" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f
    done
    for face in SimSun 宋体; do
        LC_ALL=C.UTF-8 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei' /f
    done
fi
wine cmd /c exit 0
