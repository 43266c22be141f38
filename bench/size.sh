#!/usr/bin/env bash
# Prints the shipped executables' sizes beside their goals, for every build
# that has them (or for the bin folders given).
root=$(cd "$(dirname "$0")/.." && pwd)
dirs=("$@")
if [ ${#dirs[@]} -eq 0 ]; then
    for preset in win32 win64; do
        [ -d "$root/build/$preset/bin" ] && dirs+=("$root/build/$preset/bin")
    done
fi
status=0
for dir in "${dirs[@]}"; do
    echo "$dir"
    for pair in "Tavrin.exe 1258291 1.2 MiB, with the artwork and the updater inside" "Update.exe 204800 200 KB"; do
        set -- $pair
        name=$1 goal=$2
        shift 2
        if [ ! -f "$dir/$name" ]; then
            echo "  $name missing"
            status=1
            continue
        fi
        size=$(stat -c %s "$dir/$name")
        verdict=within
        [ "$size" -gt "$goal" ] && verdict=OVER && status=1
        printf '  %-11s %9d bytes (%7.1f KiB)  goal <= %s: %s\n' "$name" "$size" "$(echo "$size / 1024" | bc -l)" "$*" "$verdict"
    done
    if command -v strings >/dev/null; then
        for name in Tavrin.exe Update.exe; do
            [ -f "$dir/$name" ] && strings "$dir/$name" | grep -qE 'ios_base|moneypunct' &&
                echo "  $name carries iostream or locale code" && status=1
        done
    fi
done
exit $status
