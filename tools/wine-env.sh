# Sourced: puts our wine wrapper first on PATH and names the build whose
# programs this machine's Wine can run (win32 where 32-bit programs run,
# win64 otherwise) in WINE_PRESET.
PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-shim:$PATH"
export PATH
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    WINE_PRESET=win32
else
    WINE_PRESET=win64
fi
export WINE_PRESET
