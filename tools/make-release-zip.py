#!/usr/bin/python3
"""Writes the release zip so that the same files always give the same bytes.

    make-release-zip.py --epoch SECONDS --output ZIP NAME=PATH[:text] ...

The entries are written in the order given, followed by SHA256SUMS, which lists
the SHA-256 of every other entry. Each entry carries the date and time of
--epoch (UTC; the commit time), the same attributes and no extra fields,
and is compressed at one fixed level. ":text" marks a text file whose line
breaks are written as CR LF, and which gets the UTF-8 byte order mark when it is
not plain ASCII, for Windows' Notepad.
"""
import argparse
import hashlib
import os
import sys
import time
import zipfile

UTF8_BOM = b"\xef\xbb\xbf"
DOS_EPOCH = 315532800  # 1980-01-01, the earliest date a zip entry can hold


def entry(name, epoch):
    info = zipfile.ZipInfo(name, time.gmtime(max(epoch, DOS_EPOCH))[:6])
    # Always the same attributes: a plain file, rw-r--r--, no owner.
    info.create_system = 3  # Unix, so that the permission bits are read as such
    info.external_attr = 0o100644 << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def contents(argument):
    name, _, path = argument.partition("=")
    text = path.endswith(":text")
    if text:
        path = path[: -len(":text")]
    if not name or not path:
        sys.exit(f"make-release-zip: expected NAME=PATH, got {argument!r}")
    with open(path, "rb") as f:
        data = f.read()
    if text:
        data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        if not data.isascii() and not data.startswith(UTF8_BOM):
            data = UTF8_BOM + data  # older Notepads read UTF-8 only behind the mark
    return name, data


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--epoch", type=int, required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()

    files = [contents(argument) for argument in args.files]
    sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in files)
    files.append(("SHA256SUMS", sums.encode("ascii")))

    partial = args.output + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, data in files:
            archive.writestr(entry(name, args.epoch), data, compresslevel=9)
    os.replace(partial, args.output)


if __name__ == "__main__":
    main()
