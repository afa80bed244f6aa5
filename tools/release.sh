#!/usr/bin/env bash
# Builds the release package: the i686 program from a clean build folder, with
# the user guide, the licence and their checksums, in one zip.
#
#   tools/release.sh [--news-origin URL] [--build-dir DIR] [--output DIR]
#
#   --news-origin  the maker's news server (default: the build's default origin)
#   --build-dir    the build folder, emptied first (default build/release-package)
#   --output       where the zip goes (default dist)
#
# Writes OUTPUT/Ostrafel-<version>-win32.zip and, beside it, its SHA-256 in the
# format of sha256sum. The same commit gives the same bytes: time stamps come from
# the commit time (or from SOURCE_DATE_EPOCH when it is set), build paths do not
# reach the program, and the zip's entries have a fixed order, date and attributes.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

origin=
build=build/release-package
output=dist
while [ $# -gt 0 ]; do
    case "$1" in
    --news-origin) origin=${2:?}; shift 2 ;;
    --build-dir) build=${2:?}; shift 2 ;;
    --output) output=${2:?}; shift 2 ;;
    *) sed -n '2,14p' "$0" >&2; exit 2 ;;
    esac
done

tools/install-deps.sh

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
    commit=$(git rev-parse --short HEAD)
    if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
        echo "release: the work tree has uncommitted changes: this is not the build of $commit" >&2
    fi
    echo "release: commit $commit, time stamps $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC')"
fi
export SOURCE_DATE_EPOCH
# Nothing of the person or the machine that builds reaches the package.
export LC_ALL=C TZ=UTC
umask 022

rm -rf "$build"
configure=(cmake --preset win32-release-package -B "$build")
[ -z "$origin" ] || configure+=(-DOSTRAFEL_NEWS_ORIGIN="$origin")
"${configure[@]}" >/dev/null
cmake --build "$build" --target Ostrafel -j2

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "release: no project version in $build" >&2; exit 1; }
echo "release: version $version, news from $(sed -n 's/^OSTRAFEL_NEWS_ORIGIN:STRING=//p' "$build/CMakeCache.txt")"

mkdir -p "$output"
zip=$output/Ostrafel-$version-win32.zip
# Debian's Python, like the rest of the tool chain: its zipfile and zlib make the bytes.
/usr/bin/python3 tools/make-release-zip.py --epoch "$SOURCE_DATE_EPOCH" --output "$zip" \
    "Ostrafel.exe=$build/app/Ostrafel.exe" \
    "README.txt=deploy/package/README.txt:text" \
    "LICENSE.txt=LICENSE:text"
(cd "$output" && sha256sum "$(basename "$zip")" >"$(basename "$zip").sha256")

echo "release: $zip, $(stat -c %s "$zip") bytes"
echo "release: SHA-256 $(cut -d' ' -f1 "$zip.sha256")"
