#!/usr/bin/env bash
# Builds the developer tool ostrafel-shot and runs it under Wine on a virtual
# display: it opens the window, plays the actions and saves a PNG of it.
#
#   tools/screenshot.sh [ACTION...] OUTPUT.png
#   tools/screenshot.sh --type EditSFU=10+12 --click Calculate --check CheckBoxCold out.png
#   tools/screenshot.sh --scale 50 out.png
#
# The actions are listed at the top of tools/screenshot/OstrafelShot.cpp.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 1 ]; then
    sed -n '2,8p' "$0" >&2
    exit 2
fi
output=$(realpath -m "${!#}")
actions=("${@:1:$#-1}")
cd "$top"

tools/install-deps.sh
build=build/win64-app
[ -f "$build/build.ninja" ] || cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" --target ostrafel-shot -j2

session=$top/build/shot-wine
trap 'tools/wine-session.sh stop "$session"' EXIT
tools/wine-session.sh start "$session" >/dev/null
mkdir -p "$(dirname "$output")"
tools/wine-run.sh "$session" "$build/tools/screenshot/ostrafel-shot.exe" "${actions[@]}" "Z:$output"
echo "screenshot: $output"
