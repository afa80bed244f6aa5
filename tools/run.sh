#!/usr/bin/env bash
# Builds the shipped 32-bit program (preset win32) and runs it under Wine.
#
#   tools/run.sh [SCREENSHOT.png]
#
# With a reachable X display in $DISPLAY the window opens there and the script
# ends when the user closes it. Without one the program runs on a virtual
# display: the script saves a screenshot of the window (by default
# build/screenshots/ostrafel.png), closes the program and reports its exit code.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
shot=${1:-build/screenshots/ostrafel.png}

tools/install-deps.sh
source tools/program-window.sh

# The shipped program is the 32-bit build of the win32 preset; where the kernel
# cannot start 32-bit programs it runs through qemu-i386 and takes about a minute
# to open. Where neither works, the 64-bit build stands in for it.
if mode=$(tools/wine-32bit.sh --enable); then
    preset=win32
    [ "$mode" = native ] || echo "run: 32-bit programs run through qemu-i386 (emulated): the window takes about a minute to open"
else
    preset=win64
    echo "run: $mode; running the 64-bit build instead"
fi
build=build/$preset
[ -f "$build/build.ninja" ] || cmake --preset "$preset" >/dev/null
cmake --build "$build" --target Ostrafel -j2
program=$top/$build/app/Ostrafel.exe

session=$top/build/run-wine
stop_session() { tools/wine-session.sh stop "$session"; }
trap stop_session EXIT

if [ -n "${DISPLAY:-}" ] && xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    OSTRAFEL_USE_DISPLAY=$DISPLAY tools/wine-session.sh start "$session"
    echo "run: the window is on $DISPLAY; close it to end"
    tools/wine-run.sh "$session" "$program"
    exit
fi

tools/wine-session.sh start "$session"
display=$(cat "$session/display")
tools/wine-run.sh "$session" "$program" &
running=$!

# Emulated, the program takes about a minute to open its window.
wait_limit=30
[ "$preset" != win32 ] || [ "$mode" = native ] || wait_limit=300
if ! window=$(wait_for_program_window "$display" "$running" "$wait_limit"); then
    echo "run: the window did not open within $wait_limit s" >&2
    exit 1
fi
sleep 2 # first paint, fonts
mkdir -p "$(dirname "$shot")"
import -display "$display" -window "$window" "$shot"
echo "run: screenshot of the window saved to $shot"

if ! close_program "$session" "$running" 10; then
    if [ "$preset" = win32 ] && [ "$mode" != native ]; then
        # 32-bit Wine under qemu-i386 may never finish ending its threads.
        echo "run: under qemu-i386 the program did not finish ending; the session ends it"
        exit 0
    fi
    echo "run: the program did not end after its window was closed" >&2
    exit 1
fi
status=0
wait "$running" || status=$?
echo "run: the program ended with exit code $status"
exit "$status"
