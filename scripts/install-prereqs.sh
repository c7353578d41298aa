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
# A mirror in the middle of a sync fails an index now and then: try again a few times,
# and let the install say what is really missing.
# An index that a mirror keeps serving stale (its size not the one its release file
# names) is taken as it is: packages still come with their own hashes checked.
take_stale_indexes() {
    local url list
    grep -o "Failed to fetch http[^ ]*Packages.xz" /tmp/install-prereqs-update.log | sed 's/Failed to fetch //' |
        while read -r url; do
            list=/var/lib/apt/lists/$(sed -e 's|^http://||' -e 's|/|_|g' -e 's|\.xz$||' <<<"$url")
            echo "install-prereqs: taking the index as the mirror serves it: $url" >&2
            curl -fsS "$url" | xz -dc | "${as_root[@]}" tee "$list" >/dev/null || true
        done
}
for attempt in 1 2 3; do
    if "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update 2>&1 | tee /tmp/install-prereqs-update.log &&
        ! grep -q '^E:' /tmp/install-prereqs-update.log; then
        break
    fi
    echo "install-prereqs: apt-get update failed (attempt $attempt)" >&2
    (( attempt < 3 )) && sleep $((attempt * 10))
    (( attempt == 3 )) && take_stale_indexes
done
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
