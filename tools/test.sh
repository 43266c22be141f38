#!/usr/bin/env bash
# The whole test suite: installs what is missing, checks the formatting,
# builds the portable core natively and the client for 32-bit and 64-bit
# Windows, then runs the native layer (again under the sanitizers, and
# fuzzed) and, each on a private Xvfb and in its own prefix, the Win32 and
# end-to-end layers of the win32 build and of the win64 build under Wine.
# A machine that cannot run the win32 build fails here, saying why, unless
# TAVRIN_WIN64_ONLY=1 asks for the win64 build alone.
set -uo pipefail
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
cd "$(dirname "$0")/.."
tools/install-deps.sh || exit 1
. tools/wine-env.sh || exit 1

build() {
    cmake --preset "$1" >"build-$1.log" 2>&1 && cmake --build --preset "$1" >>"build-$1.log" 2>&1 \
        || { cat "build-$1.log"; echo "build $1 failed"; return 1; }
    rm -f "build-$1.log"
}
build native && build win32 && build win64 || exit 1

status=0
echo "clang-format checks the tracked sources"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror || status=1
ctest --preset native || status=1
# The core again under the sanitizers, and its parsers fuzzed 10 s each.
build native-asan && ctest --preset native-asan || status=1
tools/fuzz.sh 10 || status=1
wine_presets="win32 win64"
[ "$WINE_PRESET" = win64 ] && wine_presets=win64 # TAVRIN_WIN64_ONLY=1
for p in $wine_presets; do
    echo "Wine runs the $p build"
    tools/wine-ctest.sh "$p" || status=1
done
exit $status
