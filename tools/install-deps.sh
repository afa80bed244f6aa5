#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the
# program's Wine session need and is not installed yet.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ g++-multilib clang-14 libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64 mingw-w64-tools
    # libraries
    googletest libgtest-dev libbenchmark-dev nlohmann-json3-dev
    zlib1g-dev lib32z1-dev libz-mingw-w64-dev
    # running and testing the Windows program
    wine wine64 xvfb xauth x11-utils fonts-farsiweb imagemagick python3 openssl
    # the shipped 32-bit program's tests: Wine's 32-bit half, beside the 64-bit one
    wine32:i386
    # the 32-bit tests, where the kernel cannot start i386 programs itself
    qemu-user
)
# The release package (tools/release.sh: python3's zipfile; osslsigncode signs
# the program and tools/verify-release.sh checks the signature) and the news
# site's test, which serves deploy/news with nginx.
packages+=(nginx git osslsigncode)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "install-deps: installing ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: run as root to install packages" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    # 32-bit Wine comes from Debian's i386 packages.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
