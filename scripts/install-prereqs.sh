#!/usr/bin/env bash
# Installs what building and testing the WinTORVEX setup program needs on Debian 12:
# the native and MinGW-w64 compilers, GoogleTest, clang's fuzzing runtime, Wine's 64-bit
# and 32-bit loaders (the shipped build is 32-bit), Xvfb and the picture tools of the
# end-to-end suite. Then it finds the way this machine runs 32-bit programs
# (scripts/win32-way.sh): where the kernel runs none, it installs qemu-user from
# bookworm-backports for the emulated way. It fails only for what it could not install,
# never because the kernel runs no 32-bit code; its last line says which way it found.
#
# usage: scripts/install-prereqs.sh [--check]
#   --check  only report what is missing (exit 1 when something is), install nothing.
#
# Idempotent and quick when all is there: dpkg is asked first, and apt-get (with one
# "apt-get update") runs only for the packages that are missing. The i386 architecture is
# added to dpkg first when it is not there, for wine32:i386. Needs root, or sudo.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

readonly packages=(
    cmake ninja-build g++
    clang libclang-rt-14-dev          # libFuzzer and the sanitizers
    libgtest-dev libgmock-dev
    g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
    wine64 wine32:i386                # /usr/lib/wine/wine64 and /usr/lib/wine/wine
    xvfb imagemagick xdotool x11-utils
    zip unzip python3
    libzip-dev pkg-config             # tools/mkmedia writes the product's archives with libzip
    osslsigncode openssl              # mkmedia signs INSTALL.EXE; tests make throw-away certificates
    locales                           # the Romanian locale a scenario makes for itself (localedef)
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

as_root=()
if (( EUID != 0 )); then
    as_root=(sudo)
fi
need_root() {
    (( EUID == 0 )) || command -v sudo >/dev/null ||
        { echo "install-prereqs: run as root (or install sudo)" >&2; exit 2; }
}

# One "apt-get update". A mirror in the middle of a sync fails an index now and then: try
# again a few times, and let the install say what is really missing.
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
update_indexes() {
    local attempt
    for attempt in 1 2 3; do
        if "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update 2>&1 | tee /tmp/install-prereqs-update.log &&
            ! grep -q '^E:' /tmp/install-prereqs-update.log; then
            return 0
        fi
        echo "install-prereqs: apt-get update failed (attempt $attempt)" >&2
        (( attempt < 3 )) && sleep $((attempt * 10))
        (( attempt == 3 )) && take_stale_indexes
    done
    return 0
}

install_packages() {
    mapfile -t missing < <(missing_packages)
    if (( ${#missing[@]} == 0 )); then
        echo "install-prereqs: all ${#packages[@]} packages are installed"
        return 0
    fi
    if [[ ${1:-} == --check ]]; then
        echo "install-prereqs: missing: ${missing[*]}"
        return 1
    fi
    need_root
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        echo "install-prereqs: adding the i386 architecture"
        "${as_root[@]}" dpkg --add-architecture i386
    fi
    echo "install-prereqs: installing ${missing[*]}"
    update_indexes
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
    mapfile -t still_missing < <(missing_packages)
    if (( ${#still_missing[@]} > 0 )); then
        echo "install-prereqs: still missing after apt-get: ${still_missing[*]}" >&2
        return 1
    fi
}

# The emulated way's qemu-user (10 or later; bookworm's own 7.2 cannot run Wine's loader)
# comes from bookworm-backports, added with the URIs and key of the machine's own Debian
# entry so that no mirror is named here.
readonly backports_list=/etc/apt/sources.list.d/bookworm-backports.sources
debian_entry_field() {
    awk -v field="$1" '
        /^$/ { if (debian) exit; uris = key = "" }
        /^URIs:/ { uris = $2 } /^Signed-By:/ { key = $2 }
        /^Suites:.*(^| )bookworm( |$)/ { debian = 1 }
        END { if (debian) print (field == "URIs" ? uris : key) }' /etc/apt/sources.list.d/*.sources 2>/dev/null
}
add_backports() {
    [[ -f $backports_list ]] && return 0
    local uris key
    uris=$(debian_entry_field URIs)
    key=$(debian_entry_field Signed-By)
    if [[ -z $uris ]]; then
        uris=$(awk '$1 == "deb" && $3 == "bookworm" { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
    fi
    [[ -n $uris ]] || { echo "install-prereqs: no Debian bookworm entry to add bookworm-backports beside" >&2; return 1; }
    echo "install-prereqs: adding bookworm-backports from $uris"
    {
        printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\n' "$uris"
        [[ -z $key ]] || printf 'Signed-By: %s\n' "$key"
    } | "${as_root[@]}" tee "$backports_list" >/dev/null
}
install_emulator() {
    need_root
    add_backports || return 1
    update_indexes
    echo "install-prereqs: installing qemu-user from bookworm-backports"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends -t bookworm-backports qemu-user
}

install_packages "${1:-}" || exit 1
"/usr/lib/wine/wine64" --version >/dev/null || { echo "install-prereqs: /usr/lib/wine/wine64 does not run" >&2; exit 1; }

# shellcheck source=scripts/win32-way.sh
source "$here/win32-way.sh"
win32_way_probe
if [[ $WIN32_WAY == none && ${E2E_WIN32_WAY:-} != none && ${1:-} != --check ]]; then
    install_emulator || echo "install-prereqs: qemu-user could not be installed" >&2
    win32_way_probe
fi
echo "install-prereqs: done; the 32-bit way: $(win32_way_line)"
