# Sourced: puts our wine wrapper first on PATH and names in WINE_PRESET the
# build the demo and the benches run: win32, the one players run first.
# Where this machine cannot run 32-bit programs it says why and returns 1,
# unless TAVRIN_WIN64_ONLY=1 asks for the win64 build alone (never set in CI).
PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-shim:$PATH"
export PATH

# Why Debian's 32-bit Wine cannot start here, or nothing when it can.
wine32_problem() {
    local loader=/usr/lib/wine/wine out
    if [ ! -e "$loader" ]; then
        echo "Debian's 32-bit Wine is not installed (tools/install-deps.sh installs wine32:i386)"
        return
    fi
    out=$("$loader" --version 2>&1) && return
    if grep -qw 'ia32_emulation=0' /proc/cmdline 2>/dev/null; then
        echo "the kernel was booted with ia32_emulation=0, so it runs no 32-bit programs"
    elif zcat /proc/config.gz 2>/dev/null | grep -q '^# CONFIG_IA32_EMULATION is not set'; then
        echo "the kernel is built without CONFIG_IA32_EMULATION, so it runs no 32-bit programs"
    elif zcat /proc/config.gz 2>/dev/null | grep -q '^CONFIG_IA32_EMULATION_DEFAULT_DISABLED=y'; then
        echo "the kernel turns 32-bit programs off unless booted with ia32_emulation=1"
    else
        echo "the 32-bit Wine loader fails: ${out:-no output}"
    fi
}

WINE32_PROBLEM=$(wine32_problem)
if [ "${TAVRIN_WIN64_ONLY:-0}" = 1 ]; then
    WINE_PRESET=win64
    echo "TAVRIN_WIN64_ONLY=1: the win32 build, the one players run first, is not run" >&2
elif [ -n "$WINE32_PROBLEM" ]; then
    echo "this machine cannot run the win32 build under Wine: $WINE32_PROBLEM" >&2
    echo "(TAVRIN_WIN64_ONLY=1 runs the win64 build alone)" >&2
    return 1
else
    WINE_PRESET=win32
fi
export WINE_PRESET
