#!/usr/bin/env bash
# How 32-bit Windows programs run under Wine on this machine.
#
#   tools/wine-32bit.sh [--enable]
#
# Prints "native" where the kernel starts i386 programs itself, or "emulated"
# where binfmt_misc hands them to qemu-i386, and succeeds. Otherwise prints the
# reason on one line and fails: with 1 where 32-bit programs cannot start, with
# 2 where 32-bit Wine is not installed.
#
# --enable: where the kernel refuses i386 programs and nothing hands them to
# qemu-i386 yet, registers qemu-i386 for them first (root, binfmt_misc and
# Debian's qemu-user needed). Debian's own registrations (qemu-user-binfmt) leave
# out i386 on amd64 machines, whose kernels usually run it natively, so the
# entry is written here, under the name ostrafel-i386. Registering again is a
# no-op.
#
# Wine's 32-bit half is an i386 Linux program. Under emulation each 32-bit
# process costs about a minute to start, so only the 32-bit programs under test
# should take that path: tools/wine-env.sh runs the session's own helpers
# (wineboot, reg, the server) through the 64-bit loader there.
set -uo pipefail
binfmt=/proc/sys/fs/binfmt_misc
entry=ostrafel-i386

# Whether an enabled binfmt_misc entry hands i386 programs to qemu-i386. Such an
# entry is consulted before the kernel's own loader, native support or not.
emulation_registered() {
    local file
    for file in "$binfmt"/*; do
        [ -f "$file" ] || continue
        grep -qx enabled "$file" 2>/dev/null &&
            grep -q '^interpreter .*qemu-i386' "$file" 2>/dev/null && return 0
    done
    return 1
}

starts_i386() {
    /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

register_emulation() {
    local qemu
    qemu=$(command -v qemu-i386) || { echo "qemu-i386 (Debian's qemu-user) is not installed"; return 1; }
    [ "$(id -u)" -eq 0 ] || { echo "only root can register qemu-i386 for 32-bit programs"; return 1; }
    if [ ! -e "$binfmt/register" ] &&
        ! mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
        echo "binfmt_misc cannot be mounted here"
        return 1
    fi
    if [ -e "$binfmt/$entry" ]; then
        echo 1 >"$binfmt/$entry" || { echo "the entry $entry cannot be enabled"; return 1; }
        return 0
    fi
    # An i386 executable or shared object: the ELF header's class, data, machine
    # and type fields. F opens qemu-i386 now, so the entry works in any mount
    # namespace and chroot.
    local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf ':%s:M::%s:%s:%s:F' "$entry" "$magic" "$mask" "$qemu" >"$binfmt/register" 2>/dev/null ||
        { echo "binfmt_misc refused the entry for qemu-i386"; return 1; }
}

if emulation_registered && starts_i386; then
    mode=emulated
elif starts_i386; then
    mode=native
elif [ "${1:-}" = --enable ]; then
    if ! reason=$(register_emulation); then
        echo "this kernel cannot start 32-bit programs and $reason"
        exit 1
    fi
    if ! starts_i386; then
        echo "this kernel cannot start 32-bit programs, not even through qemu-i386"
        exit 1
    fi
    mode=emulated
else
    echo "this kernel cannot start 32-bit programs (tools/wine-32bit.sh --enable runs them through qemu-i386)"
    exit 1
fi
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "32-bit Wine (wine32:i386) is not installed"
    exit 2
fi
echo "$mode"
