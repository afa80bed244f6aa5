#!/usr/bin/env bash
# The release package is reproducible: tools/release.sh, run twice on the same
# sources copied to two different folders, building in two different folders, one
# run after the other and under different local settings, gives byte-identical
# Ostrafel.exe and zip. Also checks what the zip holds.
#
#   tests/release/release-test.sh
#
# Exit status: 0 passed, 1 failed.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
cd "$top"
work=$top/build/release-test
say() { echo "release-test: $*"; }
fail() { say "FAILED: $*" >&2; exit 1; }

# The sources as they are in the work tree, committed or not, with the commit's time.
epoch=$(git log -1 --format=%ct)
rm -rf "$work"
copy_sources() { # folder
    mkdir -p "$1"
    git ls-files -z --cached --others --exclude-standard |
        tar --null -T - -c --ignore-failed-read 2>/dev/null | tar -x -C "$1"
}
copy_sources "$work/one/src"
copy_sources "$work/second-run/elsewhere/sources"

say "first build"
(cd "$work/one/src" && SOURCE_DATE_EPOCH=$epoch TZ=UTC LANG=C.UTF-8 \
    bash tools/release.sh --build-dir "$work/one/build" --output "$work/one/dist") >"$work/one.log" 2>&1 ||
    { cat "$work/one.log" >&2; fail "the first run of tools/release.sh failed"; }
say "second build"
(cd "$work/second-run/elsewhere/sources" && umask 002 &&
    SOURCE_DATE_EPOCH=$epoch TZ=Asia/Tehran LANG=fa_IR.UTF-8 \
    bash tools/release.sh --build-dir "$work/second-run/b" --output "$work/second-run/out") \
    >"$work/second-run.log" 2>&1 ||
    { cat "$work/second-run.log" >&2; fail "the second run of tools/release.sh failed"; }

zips=("$work"/one/dist/Ostrafel-*-win32.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || fail "no single zip in $work/one/dist"
zip=${zips[0]}
name=$(basename "$zip")
second=$work/second-run/out/$name
[ -f "$second" ] || fail "the second run made no $name"

cmp "$work/one/build/app/Ostrafel.exe" "$work/second-run/b/app/Ostrafel.exe" ||
    fail "the two builds made different programs"
cmp "$zip" "$second" || fail "the two runs made different zips"
say "both runs made the same $name, SHA-256 $(sha256sum "$zip" | cut -d' ' -f1)"
(cd "$work/one/dist" && sha256sum --quiet -c "$name.sha256") || fail "the zip's .sha256 does not match"

python3 - "$zip" "$work/one/build" "$epoch" <<'PY' || fail "the zip's contents are not as expected"
import hashlib, re, subprocess, sys, time, zipfile
zip_path, build, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
version = re.search(r"Ostrafel-(.+)-win32\.zip$", zip_path).group(1)
with zipfile.ZipFile(zip_path) as archive:
    entries = archive.infolist()
    names = [e.filename for e in entries]
    if names != ["Ostrafel.exe", "README.txt", "LICENSE.txt", "SHA256SUMS"]:
        sys.exit(f"entries {names}")
    stamp = time.gmtime(epoch)[:6]
    for e in entries:
        if e.date_time[:5] != stamp[:5] or e.external_attr != 0o100644 << 16 or e.extra:
            sys.exit(f"{e.filename}: date {e.date_time}, attributes {e.external_attr}, extra {e.extra!r}")
    data = {name: archive.read(name) for name in names}
exe = data["Ostrafel.exe"]
if exe != open(f"{build}/app/Ostrafel.exe", "rb").read():
    sys.exit("the zip's Ostrafel.exe is not the one built")
sums = {line.split("  ")[1]: line.split("  ")[0] for line in data["SHA256SUMS"].decode().splitlines()}
for name in names[:-1]:
    if sums.get(name) != hashlib.sha256(data[name]).hexdigest():
        sys.exit(f"SHA256SUMS is wrong for {name}")
for name in ("README.txt", "LICENSE.txt"):
    text = data[name]
    if text.count(b"\n") != text.count(b"\r\n"):
        sys.exit(f"{name}: lines do not end with CR LF")
if b"Ostrafel contributors" not in data["LICENSE.txt"] or b"MIT License" not in data["LICENSE.txt"]:
    sys.exit("LICENSE.txt is not the MIT licence of the Ostrafel contributors")
# The program: a 32-bit Windows GUI executable that carries the package's version.
headers = subprocess.run(["i686-w64-mingw32-objdump", "-p", f"{build}/app/Ostrafel.exe"],
                         check=True, capture_output=True, text=True).stdout
for wanted in ("file format pei-i386", "(Windows GUI)", "Time/Date\t\tThu Jan  1 00:00:00 1970"):
    if wanted not in headers:
        sys.exit(f"Ostrafel.exe: no {wanted!r} in its headers")
record = version + ".0" * (3 - version.count("."))
# The record's value follows its key and the padding to a 32-bit boundary.
key, value = "FileVersion\0".encode("utf-16-le"), (record + "\0").encode("utf-16-le")
if not re.search(re.escape(key) + b"(\0\0)?" + re.escape(value), exe):
    sys.exit(f"Ostrafel.exe: its version record does not say {record}")
PY
say "the zip holds the program, guide, licence and checksums as expected"

# The Windows tests run against build/win32/app/Ostrafel.exe: it must be the very
# program of the package (the test command builds it just before this test).
tested=build/win32/app/Ostrafel.exe
if [ -f "$tested" ] && [ -z "$(git status --porcelain --untracked-files=no)" ]; then
    cmp "$tested" "$work/one/build/app/Ostrafel.exe" ||
        fail "the tested $tested is not the package's program"
    say "the tested $tested is the package's program"
fi
say "PASSED"
