#!/usr/bin/env bash
# Whether 32-bit Windows programs can run under Wine on this machine.
#
#   tools/wine-32bit.sh      prints nothing and succeeds where they can; otherwise
#                            prints the reason on one line and fails: with 1
#                            where the kernel cannot start 32-bit programs, with
#                            2 where 32-bit Wine is not installed.
#
# Wine's 32-bit half runs as an i386 Linux program. Some kernels cannot start
# those at all (no IA32 emulation); there the 64-bit half runs alone.
set -uo pipefail
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo "this kernel cannot start 32-bit programs"
    exit 1
fi
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "32-bit Wine (wine32:i386) is not installed"
    exit 2
fi
