#!/bin/sh
# Boots the Wine prefix PREFIX once and keeps its server up for the whole
# run. BITS (32 or 64) makes it a prefix of that Windows and picks Wine's
# loader of that width; without it the wrapper picks the one that runs here.
set -e
PATH="$(cd "$(dirname "$0")/../../tools/wine-shim" && pwd):$PATH"
export PATH
export WINEPREFIX="$1"
if [ -n "${2:-}" ]; then
    export TAVRIN_WINE_BITS="$2" WINEARCH="win$2"
fi
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
# With no window manager (a private Xvfb, tools/xvfb.sh) Wine would wait up
# to 2 s for each managed window it hides: there it manages none. On the
# user's own display the window manager manages them as usual.
x11='HKCU\Software\Wine\X11 Driver'
managed=$(wine reg query "$x11" /v Managed 2>/dev/null | sed -n 's/.*REG_SZ[[:space:]]*//p' | tr -d '\r')
if [ -n "${DISPLAY:-}" ] && [ "${TAVRIN_PRIVATE_DISPLAY:-}" = "$DISPLAY" ]; then
    [ "$managed" = N ] || wine reg add "$x11" /v Managed /d N /f
elif [ -n "$managed" ]; then
    wine reg delete "$x11" /v Managed /f || true
fi
# A crash ends the process with its exception code instead of starting
# winedbg, whose crash dialog would hold the caller's output until killed.
aedebug='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
if ! wine reg query "$aedebug" /v Debugger 2>/dev/null | tr -d '\r' | grep -q 'Debugger[[:space:]]*REG_SZ[[:space:]]*$'; then
    wine reg add "$aedebug" /v Auto /t REG_SZ /d 1 /f
    wine reg add "$aedebug" /v Debugger /t REG_SZ /d "" /f
fi
wine cmd /c exit 0
