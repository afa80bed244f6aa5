#!/usr/bin/env bash
# One Wine session for a whole CTest run: a project-local prefix (made once),
# one Xvfb display and one persistent wineserver.
#   wine-session.sh start DIR   prepare DIR/prefix, start Xvfb and wineserver
#   wine-session.sh stop DIR    stop both
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
action=${1:?start or stop}
dir=${2:?session folder}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
source "$here/wine-env.sh" "$dir"

stop() {
    wineserver -k 2>/dev/null || true
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$dir/xvfb.pid"
    fi
    rm -f "$dir/display"
}

start_xvfb() {
    if [ -n "${OSTRAFEL_USE_DISPLAY:-}" ]; then
        echo "$OSTRAFEL_USE_DISPLAY" >"$dir/display"
        return
    fi
    local n
    for n in $(seq 91 160); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp -noreset >"$dir/xvfb.log" 2>&1 &
        echo $! >"$dir/xvfb.pid"
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then
            echo ":$n" >"$dir/display"
            return
        fi
    done
    echo "wine-session: no free X display" >&2
    exit 1
}

make_prefix() {
    [ -f "$WINEPREFIX/.ostrafel-ready-3" ] && return
    rm -rf "$WINEPREFIX"
    echo "wine-session: creating the Wine prefix $WINEPREFIX (once)"
    # No Mono or Gecko prompts: the programs need neither .NET nor the HTML engine.
    WINEDLLOVERRIDES="mscoree,mshtml=" "$OSTRAFEL_WINE" wineboot -i >/dev/null 2>&1
    wineserver -w
    # The Persian fonts of the window map to installed Persian fonts.
    "$OSTRAFEL_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'B Nazanin' /d 'Nazli' /f >/dev/null 2>&1
    "$OSTRAFEL_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '2  Titr' /d 'Titr' /f >/dev/null 2>&1
    # A crashing program ends with a backtrace instead of waiting on a dialog nobody sees.
    "$OSTRAFEL_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # There is no window manager on the display: Wine draws the frames itself,
    # and hiding a window does not wait two seconds for a manager to answer.
    "$OSTRAFEL_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.ostrafel-ready-3"
}

case "$action" in
start)
    stop
    start_xvfb
    export DISPLAY=$(cat "$dir/display")
    make_prefix
    # The server outlives this script: it must not hold the caller's output open.
    wineserver -p </dev/null >/dev/null 2>&1
    echo "wine-session: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
    ;;
stop) stop ;;
*) echo "usage: wine-session.sh start|stop DIR" >&2; exit 2 ;;
esac
