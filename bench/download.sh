#!/usr/bin/env bash
# Prints DownLoadFile's throughput for a 100 MiB file beside a plain WinINet
# read loop, both from the stand-in operator on a free loopback port, and the
# message-processing passes per second it allows. Needs the Windows build
# (BUILD=build/win32 by default) and an X display for Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build/win32}
"$root/bench/build-programs.sh" "$(basename "$build")" BenchDownload
served=$(mktemp -d)
trap 'exec 3>&-; rm -rf "$served"' EXIT
head -c $((100 * 1024 * 1024)) /dev/urandom >"$served/blob.bin"
coproc SERVER { python3 "$root/tools/operator_server.py" --root "$served" --port 0 --stdin-stop; }
exec 3>&"${SERVER[1]}"
read -r line <&"${SERVER[0]}"
url="${line##* }/files/blob.bin"
bits=32
case "$build" in *64*) bits=64 ;; esac
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" TAVRIN_WINE_BITS=$bits
PATH="$root/tools/wine-shim:$PATH"
"$root/tests/wine/boot-prefix.sh" "$WINEPREFIX" "$bits" >/dev/null
WINEDEBUG=-all wine "$build/bin/BenchDownload.exe" "$url" 'C:\windows\temp\tavrin-bench.bin'
