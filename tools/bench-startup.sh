#!/usr/bin/env bash
# Start-up time of the program against an empty window, started in turn under
# Wine on a virtual display, and the size of the stripped 32-bit release build.
#
#   tools/bench-startup.sh [RUNS]   (default 15 starts of each)
#
# Targets: median start-up at most 1.5 times the empty window's, stripped
# Ostrafel.exe at most 1.5 MiB. For comparison, a third program shows the
# program's native controls alone, made with plain Win32 calls. The timing uses
# a 64-bit build with the release build's settings (this Wine runs no 32-bit
# programs); all three programs come from it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${1:-15}

tools/install-deps.sh

configure() { # preset build-dir
    [ -f "$2/build.ninja" ] || cmake --preset "$1" -B "$2" >/dev/null
}

build=build/win64-release
configure win64-release "$build"
cmake --build "$build" --target Ostrafel startup-launcher startup-empty-window startup-controls-window -j2
session=$top/build/bench-wine
trap 'tools/wine-session.sh stop "$session"' EXIT
tools/wine-session.sh start "$session" >/dev/null
echo "start-up, $runs starts each, from CreateProcess until the window is painted:"
tools/wine-run.sh "$session" "$build/bench/startup/startup-launcher.exe" "$runs" \
    "Z:$top/$build/bench/startup/startup-empty-window.exe" "Z:$top/$build/app/Ostrafel.exe" \
    "Z:$top/$build/bench/startup/startup-controls-window.exe"

release=build/win32-app
configure win32 "$release"
cmake --build "$release" --target Ostrafel -j2
stripped=$release/Ostrafel-stripped.exe
i686-w64-mingw32-strip -o "$stripped" "$release/app/Ostrafel.exe"
size=$(stat -c %s "$stripped")
limit=$((3 * 1024 * 1024 / 2))
verdict=met
[ "$size" -le "$limit" ] || verdict="NOT met"
awk -v size="$size" -v verdict="$verdict" 'BEGIN {
    printf "stripped 32-bit Ostrafel.exe: %d bytes = %.2f MiB (target <= 1.5 MiB: %s)\n",
           size, size / 1048576, verdict }'
