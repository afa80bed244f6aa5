#!/usr/bin/env bash
# Signed release packages, with throwaway certificates made here for the run:
# tools/release.sh signs the program, and a second signed run gives the same zip;
# tools/verify-release.sh accepts the package and refuses one whose program had a
# byte changed, one signed by a key of another authority and one signed by another
# key of the same authority; the signed program starts and shows its window under
# Wine, and the resources test reads its version record.
#
#   tests/release/signing-test.sh
#
# Exit status: 0 passed, 1 failed, 77 skipped (the reason is printed).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
cd "$top"
source tools/program-window.sh
work=$top/build/signing-test
say() { echo "signing-test: $*"; }
fail() { say "FAILED: $*" >&2; exit 1; }

# The Wine half needs a kernel that starts i386 programs and 32-bit Wine.
wine_unavailable=
reason=$(tools/wine-32bit.sh) || wine_unavailable=$reason

rm -rf "$work/keys" "$work"/package-* "$work/verify.log"
mkdir -p "$work/keys"
keys=$work/keys
# Nothing listens there: the program's news requests, if any, stay on this machine.
origin=https://127.0.0.1:9

# A certificate authority and code-signing certificates that it issues, RSA as a
# maker's should be: the same key signs the same bytes each time.
make_authority() { # name
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Ostrafel test authority $1" \
        -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign \
        -keyout "$keys/$1-ca.key" -out "$keys/$1-ca.pem" 2>/dev/null
}
make_signer() { # name authority
    openssl req -newkey rsa:2048 -nodes -subj "/CN=Ostrafel test signer $1" \
        -keyout "$keys/$1.key" -out "$keys/$1.csr" 2>/dev/null
    openssl x509 -req -days 2 -in "$keys/$1.csr" -CA "$keys/$2-ca.pem" -CAkey "$keys/$2-ca.key" \
        -set_serial "0x$(openssl rand -hex 8)" -out "$keys/$1.pem" \
        -extfile <(printf '%s\n' basicConstraints=CA:false keyUsage=critical,digitalSignature \
            extendedKeyUsage=codeSigning) 2>/dev/null
}
make_authority maker
make_authority outsider
make_signer maker maker
make_signer impostor maker
make_signer outsider outsider
password=throwaway-$RANDOM
OSTRAFEL_SIGN_PASSWORD=$password openssl pkcs12 -export -inkey "$keys/maker.key" \
    -in "$keys/maker.pem" -out "$keys/maker.pfx" -passout env:OSTRAFEL_SIGN_PASSWORD
say "throwaway authorities and certificates in $keys"

release() { # name release.sh-options...
    local name=$1
    shift
    bash tools/release.sh --build-dir "$work/build" --output "$work/package-$name" "$@" \
        >"$work/package-$name.log" 2>&1 ||
        { cat "$work/package-$name.log" >&2; fail "tools/release.sh failed for the $name package"; }
    local zips=("$work/package-$name"/Ostrafel-*-win32.zip)
    [ -f "${zips[0]}" ] || fail "no zip for the $name package"
    echo "${zips[0]}"
}
say "signed release build (key and certificate files)"
zip=$(release one --news-origin "$origin" --sign-cert "$keys/maker.pem" --sign-key "$keys/maker.key")
say "second signed run of the same build (.pfx with a password, other local settings)"
second=$(umask 002 && OSTRAFEL_SIGN_PASSWORD=$password TZ=Asia/Tehran LANG=fa_IR.UTF-8 release second --reuse-build --sign-pkcs12 "$keys/maker.pfx")
cmp "$zip" "$second" || fail "the two signed runs made different zips"
say "both signed runs made the same zip, SHA-256 $(sha256sum "$zip" | cut -d' ' -f1)"

# The package's program: signed, by the maker, as the program of this build.
unpack() { # zip folder
    rm -rf "$2"
    /usr/bin/python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$1" "$2"
}
unpack "$zip" "$work/package-one/files"
signed=$work/package-one/files/Ostrafel.exe
unsigned=$work/build/app/Ostrafel.exe
say "signed Ostrafel.exe: $(stat -c %s "$signed") bytes (unsigned $(stat -c %s "$unsigned"))"
(cd "$work/package-one/files" && sha256sum --quiet -c SHA256SUMS) ||
    fail "SHA256SUMS does not cover the signed program"
! cmp -s "$signed" "$unsigned" || fail "the package's program is not signed"
osslsigncode verify -CAfile "$keys/maker-ca.pem" -in "$signed" >"$work/package-one/verify.log" 2>&1 ||
    { cat "$work/package-one/verify.log" >&2; fail "osslsigncode does not verify the signature"; }
epoch=$(git log -1 --format=%ct)
for wanted in "Message digest algorithm  : SHA256" "Text description: Ostrafel" \
    "URL description: $origin" "Subject: /CN=Ostrafel test signer maker" \
    "Signing time: $(date -u -d "@$epoch" '+%b %e %H:%M:%S %Y GMT')"; do
    grep -qF "$wanted" "$work/package-one/verify.log" || fail "the signature has no \"$wanted\""
done
say "the signature: SHA-256, the program's name, the maker's address, the commit's time"

# verify-release.sh: the package passes; each tampered one fails on its own count.
verify() { # expected-status what-to-find zip options...
    local expected=$1 wanted=$2 package=$3 status=0
    shift 3
    bash tools/verify-release.sh --build-dir "$work/build" --reuse-build --news-origin "$origin" \
        --ca "$keys/maker-ca.pem" "$@" "$package" >"$work/verify.log" 2>&1 || status=$?
    if [ "$status" -ne "$expected" ] || ! grep -qF -- "$wanted" "$work/verify.log"; then
        cat "$work/verify.log" >&2
        fail "verify-release.sh: status $status and not \"$wanted\"; expected status $expected"
    fi
}
verify 0 "PASSED" "$zip" --signer-cert "$keys/maker.pem"
say "verify-release.sh accepts the package"

# One byte of the program's code changed, the zip and its SHA256SUMS made anew.
changed=$work/package-changed
unpack "$zip" "$changed/files"
python3 - "$changed/files/Ostrafel.exe" <<'PY'
import sys
with open(sys.argv[1], "r+b") as program:
    data = bytearray(program.read())
    data[len(data) // 3] ^= 0x01
    program.seek(0)
    program.write(data)
PY
python3 tools/make-release-zip.py --epoch "$epoch" --output "$changed/$(basename "$zip")" \
    "Ostrafel.exe=$changed/files/Ostrafel.exe" "README.txt=$changed/files/README.txt" \
    "LICENSE.txt=$changed/files/LICENSE.txt"
verify 1 "against the build, byte for byte: MISMATCH" "$changed/$(basename "$zip")"
grep -qF "the signature, against the certificates of $keys/maker-ca.pem: MISMATCH" "$work/verify.log" ||
    { cat "$work/verify.log" >&2; fail "the signature of the changed program verifies"; }
say "verify-release.sh refuses the package whose program had one byte changed"

outsider=$(release outsider --reuse-build --sign-cert "$keys/outsider.pem" --sign-key "$keys/outsider.key")
verify 1 "the signature, against the certificates of $keys/maker-ca.pem: MISMATCH" "$outsider"
say "verify-release.sh refuses the package signed by another authority's key"

impostor=$(release impostor --reuse-build --sign-cert "$keys/impostor.pem" --sign-key "$keys/impostor.key")
verify 0 "PASSED" "$impostor"
verify 1 "and the signer $keys/maker.pem: MISMATCH" "$impostor" --signer-cert "$keys/maker.pem"
say "verify-release.sh refuses the package signed by another key of the same authority" \
    "when given the maker's certificate"

if [ -n "$wine_unavailable" ]; then
    say "SKIPPED: the signed program under Wine: $wine_unavailable (everything else passed)"
    exit 77
fi

# Under Wine: the signed program shows its window; the resources test reads it.
session=$work/wine
run_pid=
stop_all() {
    if [ -n "$run_pid" ] && kill -0 "$run_pid" 2>/dev/null; then
        kill "$run_pid" 2>/dev/null || true
    fi
    tools/wine-session.sh stop "$session" || true
}
trap stop_all EXIT
trap 'exit 1' INT TERM HUP
tools/wine-session.sh start "$session" >/dev/null
display=$(cat "$session/display")
windows_path() { local path="Z:$1"; echo "${path//\//\\}"; }

tools/wine-run.sh "$session" "$(windows_path "$signed")" >"$work/program.log" 2>&1 &
run_pid=$!
window=$(wait_for_program_window "$display" "$run_pid" 60) || true
# Under qemu-i386 a 32-bit Wine process may never finish ending its threads: one
# that has not ended after thirty seconds ends with the session, made anew.
if ! close_program "$session" "$run_pid" 30; then
    tools/wine-session.sh stop "$session"
    tools/wine-session.sh start "$session" >/dev/null
fi
wait "$run_pid" || true
run_pid=
[ -n "$window" ] || { cat "$work/program.log" >&2; fail "the signed program showed no window"; }
say "the signed program starts and shows its window ($window)"

say "building the resources test (build/win32)"
{ cmake --preset win32 && cmake --build --preset win32 --target app_resources_test; } \
    >"$work/resources-build.log" 2>&1 ||
    { cat "$work/resources-build.log" >&2; fail "the resources test did not build"; }
resources_test=build/win32/tests/app/app_resources_test.exe
OSTRAFEL_TESTED_PROGRAM=$(windows_path "$signed") tools/wine-run.sh "$session" "$resources_test" \
    >"$work/resources.log" 2>&1 ||
    { cat "$work/resources.log" >&2; fail "the resources test fails on the signed program"; }
grep -q "OK \] VersionRecordTest\." "$work/resources.log" || fail "the resources test read no version record"
# The variable is what the test reads: a program that is not there fails it.
! OSTRAFEL_TESTED_PROGRAM=$(windows_path "$work/no-such-program.exe") \
    tools/wine-run.sh "$session" "$resources_test" --gtest_filter='VersionRecordTest.*' \
    >"$work/resources-missing.log" 2>&1 ||
    fail "the resources test passes without the program it was given"
say "the resources test reads the signed program's resources and version record"
say "PASSED"
