#!/usr/bin/env bash
# Runs a Windows executable inside the Wine session of folder $1 (see wine-session.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=${1:?session folder}
shift
source "$here/wine-env.sh" "$dir"
exec wine "$@"
