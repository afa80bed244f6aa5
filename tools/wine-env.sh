# Sourced: the environment of the Wine session kept in the folder $1.
export WINEPREFIX="$1/prefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$1/display" ]; then
    export DISPLAY=$(cat "$1/display")
fi

# The Wine loader: `wine` runs 32-bit and 64-bit programs where the kernel starts
# its 32-bit half; elsewhere that half cannot even start, and the 64-bit loader
# runs the 64-bit programs alone. A caller that has decided already (the test
# command, once for its whole run) passes the loader on in OSTRAFEL_WINE.
if [ -z "${OSTRAFEL_WINE:-}" ]; then
    if "$(dirname "${BASH_SOURCE[0]}")/wine-32bit.sh" >/dev/null; then
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
