#!/usr/bin/env bash
# Builds the release package: the i686 program from a clean build folder, signed
# when a certificate is given, with the user guide, the licence and their
# checksums, in one zip.
#
#   tools/release.sh [--news-origin URL] [--build-dir DIR] [--reuse-build] [--output DIR]
#                    [--sign-cert CERT --sign-key KEY | --sign-pkcs12 FILE]
#                    [--sign-url URL] [--timestamp URL]
#
#   --news-origin  the maker's news server (default: the build's default origin)
#   --build-dir    the build folder, emptied first (default build/release-package)
#   --reuse-build  keep the build folder of an earlier run and its news origin;
#                  only what changed since is built again
#   --output       where the zip goes (default dist)
#   --sign-cert    the code-signing certificate (PEM), followed by any intermediate
#                  certificates of its issuer, with --sign-key, its private key (PEM)
#   --sign-pkcs12  certificate and key in one .pfx/.p12 file instead
#   --sign-url     the maker's address in the signature (default: the news origin)
#   --timestamp    an RFC 3161 time-stamping server; off by default, as it needs the
#                  network, and a time-stamped signature differs from run to run
#
# The password of the key or of the .pfx, if it has one, is read from the
# environment variable OSTRAFEL_SIGN_PASSWORD, never from the command line.
#
# Writes OUTPUT/Ostrafel-<version>-win32.zip and, beside it, its SHA-256 in the
# format of sha256sum. The same commit gives the same bytes: time stamps come from
# the commit time (or from SOURCE_DATE_EPOCH when it is set), build paths do not
# reach the program, and the zip's entries have a fixed order, date and attributes.
# A signature carries the same time and, with an RSA key, is the same each time;
# removing it gives back the unsigned program exactly (tools/verify-release.sh).
set -euo pipefail
called_from=$PWD
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
usage() { sed -n '2,30p' "$0" >&2; exit 2; }
fail() { echo "release: $*" >&2; exit 1; }
# The signing files as named from where the script was called.
from_caller() { case "$1" in /*) echo "$1" ;; *) echo "$called_from/$1" ;; esac; }

origin=
build=build/release-package
reuse=
output=dist
cert=
key=
pkcs12=
sign_url=
timestamp=
while [ $# -gt 0 ]; do
    case "$1" in
    --news-origin) origin=${2:?}; shift 2 ;;
    --build-dir) build=${2:?}; shift 2 ;;
    --reuse-build) reuse=yes; shift ;;
    --output) output=${2:?}; shift 2 ;;
    --sign-cert) cert=$(from_caller "${2:?}"); shift 2 ;;
    --sign-key) key=$(from_caller "${2:?}"); shift 2 ;;
    --sign-pkcs12) pkcs12=$(from_caller "${2:?}"); shift 2 ;;
    --sign-url) sign_url=${2:?}; shift 2 ;;
    --timestamp) timestamp=${2:?}; shift 2 ;;
    *) usage ;;
    esac
done
if [ -n "$pkcs12" ]; then
    [ -z "$cert$key" ] || fail "--sign-pkcs12 holds certificate and key: give no --sign-cert or --sign-key"
    credentials=(-pkcs12 "$pkcs12")
elif [ -n "$cert$key" ]; then
    [ -n "$cert" ] && [ -n "$key" ] || fail "--sign-cert and --sign-key go together"
    credentials=(-certs "$cert" -key "$key")
elif [ -n "$sign_url$timestamp" ]; then
    fail "--sign-url and --timestamp need a certificate to sign with"
fi
for file in "$pkcs12" "$cert" "$key"; do
    [ -z "$file" ] || [ -r "$file" ] || fail "cannot read $file"
done
# The password goes to the signing tool alone, not to the build's processes.
password=${OSTRAFEL_SIGN_PASSWORD-}
has_password=${OSTRAFEL_SIGN_PASSWORD+yes}
unset OSTRAFEL_SIGN_PASSWORD

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

cached() { sed -n "s/^$1=//p" "$build/CMakeCache.txt"; }
if [ -n "$reuse" ]; then
    [ -f "$build/CMakeCache.txt" ] || fail "--reuse-build: no earlier build in $build"
    [ -z "$origin" ] || [ "$origin" = "$(cached OSTRAFEL_NEWS_ORIGIN:STRING)" ] ||
        fail "--reuse-build: $build was built for the news origin $(cached OSTRAFEL_NEWS_ORIGIN:STRING)"
else
    rm -rf "$build"
    configure=(cmake --preset win32-release-package -B "$build")
    [ -z "$origin" ] || configure+=(-DOSTRAFEL_NEWS_ORIGIN="$origin")
    "${configure[@]}" >/dev/null
fi
cmake --build "$build" --target Ostrafel -j2

version=$(cached CMAKE_PROJECT_VERSION:STATIC)
[ -n "$version" ] || fail "no project version in $build"
origin=$(cached OSTRAFEL_NEWS_ORIGIN:STRING)
echo "release: version $version, news from $origin"

program=$build/app/Ostrafel.exe
if [ -n "${credentials+set}" ]; then
    # osslsigncode writes no file that is there already.
    rm -rf "$build/signed"
    mkdir "$build/signed"
    signed=$build/signed/Ostrafel.exe
    sign=(osslsigncode sign "${credentials[@]}" -h sha256 -n "$(cached CMAKE_PROJECT_NAME:STATIC)"
        -i "${sign_url:-$origin}" -time "$SOURCE_DATE_EPOCH")
    [ -z "$timestamp" ] || sign+=(-ts "$timestamp")
    if [ -n "$has_password" ]; then
        log=$("${sign[@]}" -readpass /dev/stdin -in "$program" -out "$signed" 2>&1 <<<"$password") ||
            fail "signing failed: $log"
    else
        log=$("${sign[@]}" -in "$program" -out "$signed" 2>&1 </dev/null) || fail "signing failed: $log"
    fi
    # Anyone must be able to strip the signature and find the program of this commit.
    osslsigncode remove-signature -in "$signed" -out "$build/signed/unsigned.exe" >/dev/null 2>&1 &&
        cmp -s "$build/signed/unsigned.exe" "$program" ||
        fail "without its signature, $signed is not the built program"
    echo "release: Ostrafel.exe signed (SHA-256, for ${sign_url:-$origin}, at $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC')${timestamp:+, time-stamped by $timestamp}), $(stat -c %s "$signed") bytes"
    program=$signed
fi

mkdir -p "$output"
zip=$output/Ostrafel-$version-win32.zip
# Debian's Python, like the rest of the tool chain: its zipfile and zlib make the bytes.
/usr/bin/python3 tools/make-release-zip.py --epoch "$SOURCE_DATE_EPOCH" --output "$zip" \
    "Ostrafel.exe=$program" \
    "README.txt=deploy/package/README.txt:text" \
    "LICENSE.txt=LICENSE:text"
(cd "$output" && sha256sum "$(basename "$zip")" >"$(basename "$zip").sha256")

echo "release: $zip, $(stat -c %s "$zip") bytes"
echo "release: SHA-256 $(cut -d' ' -f1 "$zip.sha256")"
