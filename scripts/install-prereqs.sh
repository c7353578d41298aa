#!/usr/bin/env bash
# Installs what building and testing the WinTORVEX setup program needs on Debian 12:
# the native and MinGW-w64 compilers, GoogleTest, clang's fuzzing runtime, Wine's 64-bit
# and 32-bit loaders (the shipped build is 32-bit), Xvfb and the picture tools of the
# end-to-end suite.
#
# usage: scripts/install-prereqs.sh [--check]
#   --check  only report what is missing (exit 1 when something is), install nothing.
#
# Idempotent and quick when all is there: dpkg is asked first, and apt-get (with one
# "apt-get update") runs only for the packages that are missing. The i386 architecture is
# added to dpkg first when it is not there, for wine32:i386. Needs root, or sudo.
set -euo pipefail

readonly packages=(
    cmake ninja-build g++
    clang libclang-rt-14-dev          # libFuzzer and the sanitizers
    libgtest-dev libgmock-dev
    g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
    wine64 wine32:i386                # /usr/lib/wine/wine64 and /usr/lib/wine/wine
    xvfb imagemagick xdotool x11-utils
    zip unzip python3
    libzip-dev pkg-config             # tools/mkmedia writes the product's archives with libzip
)

installed() {
    [[ $(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null || true) == installed ]]
}

missing_packages() {
    local package
    for package in "${packages[@]}"; do
        installed "$package" || printf '%s\n' "$package"
    done
}

mapfile -t missing < <(missing_packages)

if (( ${#missing[@]} == 0 )); then
    echo "install-prereqs: all ${#packages[@]} packages are installed"
    exit 0
fi
if [[ ${1:-} == --check ]]; then
    echo "install-prereqs: missing: ${missing[*]}"
    exit 1
fi

as_root=()
if (( EUID != 0 )); then
    command -v sudo >/dev/null || { echo "install-prereqs: run as root (or install sudo)" >&2; exit 2; }
    as_root=(sudo)
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "install-prereqs: adding the i386 architecture"
    "${as_root[@]}" dpkg --add-architecture i386
fi
echo "install-prereqs: installing ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"

mapfile -t still_missing < <(missing_packages)
if (( ${#still_missing[@]} > 0 )); then
    echo "install-prereqs: still missing after apt-get: ${still_missing[*]}" >&2
    exit 1
fi
for loader in /usr/lib/wine/wine64 /usr/lib/wine/wine; do
    "$loader" --version >/dev/null || { echo "install-prereqs: $loader does not run" >&2; exit 1; }
done
echo "install-prereqs: done"
