#!/usr/bin/env bash
# Runs a Windows executable inside the Wine session of folder $1 (see wine-session.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=${1:?session folder}
shift
source "$here/wine-env.sh" "$dir"
# Wine's helper processes (services, the desktop) outlive the program and keep its
# standard error open: give them a file, so the caller's pipe closes when the
# program ends, and pass the text on afterwards.
errors=$(mktemp)
trap 'cat "$errors" >&2; rm -f "$errors"' EXIT
"$OSTRAFEL_WINE" "$@" 2>"$errors"
