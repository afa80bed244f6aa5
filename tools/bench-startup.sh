#!/usr/bin/env bash
# Start-up time of the shipped program under Wine on a virtual display, against
# the same native controls made with plain Win32 calls and against an empty
# window, all built with the release settings and started in turn; and the size
# of the shipped Ostrafel.exe.
#
#   tools/bench-startup.sh [--x86_64] [RUNS]   (default 25 starts of each)
#
# By default it times the shipped 32-bit build (preset win32) under 32-bit Wine;
# --x86_64 times the same sources built for x86_64 (preset win64-release).
# Targets: median start-up at most 1.10 times the controls-only program's, and
# the shipped Ostrafel.exe at most 1.5 MiB.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

preset=win32
if [ "${1:-}" = --x86_64 ]; then
    preset=win64-release
    shift
fi
runs=${1:-25}

tools/install-deps.sh
if [ "$preset" = win32 ]; then
    if ! mode=$(tools/wine-32bit.sh); then
        echo "bench-startup: $mode; timing the x86_64 build instead" >&2
        preset=win64-release
    elif [ "$mode" != native ]; then
        echo "bench-startup: 32-bit programs run through qemu-i386 here, whose start-up times" \
            "measure the emulator, not the program; timing the x86_64 build instead" >&2
        preset=win64-release
    fi
fi

build=build/$preset
[ -f "$build/build.ninja" ] || cmake --preset "$preset" >/dev/null
cmake --build "$build" --target Ostrafel startup-launcher startup-empty-window startup-controls-window -j2
session=$top/build/bench-wine
trap 'tools/wine-session.sh stop "$session"' EXIT
tools/wine-session.sh start "$session" >/dev/null
echo "start-up of the $preset build, $runs starts each, from CreateProcess until the window is painted:"
references=$build/bench/startup
tools/wine-run.sh "$session" "$references/startup-launcher.exe" "$runs" \
    "Z:$top/$build/app/Ostrafel.exe" "Z:$top/$references/startup-controls-window.exe" \
    "Z:$top/$references/startup-empty-window.exe"

shipped=build/win32
[ -f "$shipped/build.ninja" ] || cmake --preset win32 >/dev/null
cmake --build "$shipped" --target Ostrafel -j2
size=$(stat -c %s "$shipped/app/Ostrafel.exe")
limit=$((3 * 1024 * 1024 / 2))
verdict=met
[ "$size" -le "$limit" ] || verdict="NOT met"
awk -v size="$size" -v verdict="$verdict" 'BEGIN {
    printf "shipped 32-bit Ostrafel.exe (no symbols): %d bytes = %.2f MiB (target <= 1.5 MiB: %s)\n",
           size, size / 1048576, verdict }'
