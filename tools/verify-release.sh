#!/usr/bin/env bash
# Checks that a release package is the build of this checkout. Builds the program
# as tools/release.sh does, takes Ostrafel.exe out of the package, removes its
# signature if it has one and compares what remains with the build byte for byte,
# checks that the signature is all that was added, verifies the signature, and
# checks that the rest of the zip is what tools/release.sh makes around that program.
#
#   tools/verify-release.sh [--news-origin URL] [--ca FILE] [--signer-cert FILE]
#                           [--build-dir DIR] [--reuse-build] ZIP
#
#   --news-origin  the news server the maker built for, as on the download page
#                  (default: the build's default origin)
#   --ca           the certificates (PEM) trusted for the signature
#                  (default: the system's, /etc/ssl/certs/ca-certificates.crt)
#   --signer-cert  the maker's certificate (PEM): the signature must be made with it,
#                  not just with any certificate that the trusted ones vouch for
#   --build-dir    the build folder, emptied first (default build/verify-release)
#   --reuse-build  keep the build folder of an earlier run (tools/release.sh --reuse-build)
#
# Prints every comparison and its result. Exit status: 0 the package is the build
# of this checkout and its signature, if any, verifies; 1 it is not, or it does not;
# 2 the program could not be built or the options are wrong.
set -euo pipefail
called_from=$PWD
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
usage() { sed -n '2,22p' "$0" >&2; exit 2; }
say() { echo "verify-release: $*"; }
from_caller() { case "$1" in /*) echo "$1" ;; *) echo "$called_from/$1" ;; esac; }

origin=
ca=
signer=
build=build/verify-release
reuse=
zip=
while [ $# -gt 0 ]; do
    case "$1" in
    --news-origin) origin=${2:?}; shift 2 ;;
    --ca) ca=$(from_caller "${2:?}"); shift 2 ;;
    --signer-cert) signer=$(from_caller "${2:?}"); shift 2 ;;
    --build-dir) build=${2:?}; shift 2 ;;
    --reuse-build) reuse=yes; shift ;;
    -*) usage ;;
    *) [ -z "$zip" ] || usage; zip=$(from_caller "$1"); shift ;;
    esac
done
[ -n "$zip" ] || usage
for file in "$zip" "$ca" "$signer"; do
    [ -z "$file" ] || [ -r "$file" ] || { say "cannot read $file" >&2; exit 2; }
done

mismatches=0
result() { # what compared-equal
    if [ "$2" = yes ]; then
        say "$1: OK"
    else
        say "$1: MISMATCH"
        mismatches=$((mismatches + 1))
    fi
}
same() { cmp -s "$1" "$2" && echo yes || echo no; }
sha() { sha256sum "$1" | cut -d' ' -f1; }

say "package $zip, SHA-256 $(sha "$zip")"
release=(tools/release.sh --build-dir "$build" --output "$build/verify/built")
[ -z "$origin" ] || release+=(--news-origin "$origin")
[ -z "$reuse" ] || release+=(--reuse-build)
rm -rf "$build/verify"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"${release[@]}" >"$log" 2>&1 || { cat "$log" >&2; say "the build failed" >&2; exit 2; }
commit=$(git rev-parse --short HEAD)
[ -z "$(git status --porcelain --untracked-files=no)" ] || commit="$commit with uncommitted changes"
built=$build/app/Ostrafel.exe
say "built $commit: $(sed -n 's/^release: //p' "$log" | grep '^version')"
say "built Ostrafel.exe, SHA-256 $(sha "$built")"

# The entries of a zip as files in a folder, their names in order on the output.
unpack() { # zip folder
    /usr/bin/python3 - "$1" "$2" <<'PY'
import os, sys, zipfile
try:
    with zipfile.ZipFile(sys.argv[1]) as archive:
        entries = archive.infolist()
        for entry in entries:
            if entry.filename in ("", ".", "..") or entry.filename != os.path.basename(entry.filename):
                sys.exit(f"the entry {entry.filename!r} is not a file name")
        os.makedirs(sys.argv[2])
        for entry in entries:
            with open(os.path.join(sys.argv[2], entry.filename), "wb") as file:
                file.write(archive.read(entry))
except (OSError, zipfile.BadZipFile) as error:
    sys.exit(str(error))
print(" ".join(entry.filename for entry in entries))
PY
}
reference=("$build"/verify/built/*.zip)
names=$(unpack "${reference[0]}" "$build/verify/built/files")
say "the build's package would be $(basename "${reference[0]}")"
if ! package_names=$(unpack "$zip" "$build/verify/package"); then
    result "reading the package" no
    exit 1
fi
result "entries ($package_names) against the build's ($names)" \
    "$([ "$package_names" = "$names" ] && echo yes || echo no)"
[ "$package_names" = "$names" ] || { say "FAILED: not a package of this program"; exit 1; }

program=$build/verify/package/Ostrafel.exe
signature=$build/verify/signature.p7
if osslsigncode extract-signature -in "$program" -out "$signature" >/dev/null 2>&1; then
    say "the package's Ostrafel.exe is signed: $(stat -c %s "$program") bytes, SHA-256 $(sha "$program")"
    unsigned=$build/verify/unsigned.exe
    osslsigncode remove-signature -in "$program" -out "$unsigned" >/dev/null 2>&1 || true
    result "Ostrafel.exe without its signature (SHA-256 $(sha "$unsigned" 2>/dev/null || echo none)) against the build, byte for byte" \
        "$(same "$unsigned" "$built")"
    # Every byte of the signed file is the build's or the signature's; the tool
    # says whether the signature matches while it attaches, the verification follows.
    resigned=$build/verify/build-with-signature.exe
    osslsigncode attach-signature -sigin "$signature" ${ca:+-CAfile "$ca"} -in "$built" -out "$resigned" \
        >/dev/null 2>&1 || true
    result "the build with the package's signature attached against the package's Ostrafel.exe, byte for byte" \
        "$(same "$resigned" "$program")"

    verify=(osslsigncode verify -in "$program")
    [ -z "$ca" ] || verify+=(-CAfile "$ca")
    [ -z "$signer" ] ||
        verify+=(-require-leaf-hash "sha256:$(openssl x509 -in "$signer" -outform DER | sha256sum | cut -d' ' -f1)")
    verified=no
    "${verify[@]}" >"$log" 2>&1 && verified=yes
    say "signed by $(grep -m1 'Subject:' "$log" | sed 's/.*Subject: *//'), issued by $(grep -m1 'Issuer :' "$log" | sed 's/.*Issuer : *//'), at $(grep -m1 'Signing time:' "$log" | sed 's/.*Signing time: *//')"
    [ "$verified" = yes ] || grep -i -E 'error|mismatch|failed' "$log" | sed 's/^/verify-release:   /' || true
    trusted=${ca:-/etc/ssl/certs/ca-certificates.crt}
    result "the signature, against the certificates of $trusted${signer:+ and the signer $signer}" "$verified"
else
    say "the package's Ostrafel.exe is not signed"
    result "Ostrafel.exe against the build, byte for byte" "$(same "$program" "$built")"
    [ -z "$signer" ] || result "a signature by $signer" no
fi

# The rest of the package: what tools/release.sh zips around the package's program.
expected=$build/verify/expected.zip
entries=()
for name in $names; do
    case "$name" in
    SHA256SUMS) ;;
    Ostrafel.exe) entries+=("$name=$program") ;;
    *)
        entries+=("$name=$build/verify/built/files/$name")
        result "$name against the build's" "$(same "$build/verify/package/$name" "$build/verify/built/files/$name")"
        ;;
    esac
done
/usr/bin/python3 tools/make-release-zip.py --epoch "${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}" \
    --output "$expected" "${entries[@]}"
unpack "$expected" "$build/verify/expected" >/dev/null
result "SHA256SUMS against the package's files" \
    "$(same "$build/verify/package/SHA256SUMS" "$build/verify/expected/SHA256SUMS")"
result "the zip against tools/release.sh's zip of the build with the package's Ostrafel.exe, byte for byte" \
    "$(same "$zip" "$expected")"

if [ "$mismatches" -eq 0 ]; then
    say "PASSED: $(basename "$zip") is the build of $commit"
else
    say "FAILED: mismatches: $mismatches"
    exit 1
fi
