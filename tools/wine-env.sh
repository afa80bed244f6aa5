# Sourced: the environment of the Wine session kept in the folder $1.
export WINEPREFIX="$1/prefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$1/display" ]; then
    export DISPLAY=$(cat "$1/display")
fi
