# Sourced: the environment of the Wine session kept in the folder $1.
export WINEPREFIX="$1/prefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$1/display" ]; then
    export DISPLAY=$(cat "$1/display")
fi

# The Wine loader: `wine` runs 32-bit and 64-bit programs where the kernel starts
# its 32-bit half. Elsewhere the 64-bit loader runs the session (prefix, wineboot,
# reg, the server) and the 64-bit programs, and hands each 32-bit program to the
# 32-bit loader, which starts through qemu-i386 where that is registered
# (tools/wine-32bit.sh). A caller that has decided already (the test command,
# once for its whole run) passes the loader on in OSTRAFEL_WINE.
if [ -z "${OSTRAFEL_WINE:-}" ]; then
    if [ "$("$(dirname "${BASH_SOURCE[0]}")/wine-32bit.sh" 2>/dev/null)" = native ]; then
        OSTRAFEL_WINE=wine
    else
        OSTRAFEL_WINE=/usr/lib/wine/wine64
    fi
    export OSTRAFEL_WINE
fi
if [ "$OSTRAFEL_WINE" != wine ]; then
    # Programs started by a program go to the same loader.
    export WINELOADER=$OSTRAFEL_WINE
fi
