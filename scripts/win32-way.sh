#!/usr/bin/env bash
# How this machine runs the shipped build's 32-bit programs under Wine. One line:
#   native           Wine's 32-bit loader runs on this kernel as it is;
#   emulated         it does not, and qemu-user 10 or later, registered for i386
#                    programs through binfmt_misc (root needed), makes it run;
#   none: WHY        neither.
# E2E_WIN32_WAY=native|emulated|none forces a way, so that each can be tried on any
# machine: "emulated" then registers the emulator even where 32-bit code runs natively
# (and still says none when the emulator cannot run the loader).
#
# usage: scripts/win32-way.sh           prints the way
#        source scripts/win32-way.sh    defines, without printing anything:
#          win32_way_probe   sets WIN32_WAY (native, emulated or none) and WIN32_WAY_WHY
#          win32_way_up      registers the emulator for this shell (the emulated way)
#          win32_way_down    takes it away again once no other live shell uses it
#          win32_way_line    the one line printed above
#
# The binfmt_misc entry applies to every process of the machine, so it is there only
# while a user of it runs: each user leaves its process id in $WIN32_WAY_USERS, and the
# last one to leave removes the entry (and unmounts binfmt_misc if a user mounted it).
# A user killed outright leaves a stale id; the next probe or the next user takes it away.

WIN32_WAY_LOADER=/usr/lib/wine/wine
WIN32_WAY_QEMU=${WIN32_WAY_QEMU:-/usr/bin/qemu-i386}
WIN32_WAY_QEMU_MAJOR=10
WIN32_WAY_BINFMT=/proc/sys/fs/binfmt_misc
WIN32_WAY_ENTRY=wine-i386
WIN32_WAY_USERS=/run/torvex-win32-emulation
# An i386 ELF executable (class 32, little-endian, type EXEC or DYN, machine 3).
WIN32_WAY_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
WIN32_WAY_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# The loader's own answer, bounded: an i386 program that the kernel refuses fails at once,
# one that the emulator cannot run may crash or hang.
win32_way_loader_runs() {
    timeout -k 5 60 "$WIN32_WAY_LOADER" --version >/dev/null 2>&1
}

win32_way_qemu_major() {
    "$WIN32_WAY_QEMU" --version 2>/dev/null | sed -n '1s/^qemu-i386 version \([0-9]*\)\..*/\1/p'
}

# Forgets users that are gone; true when a live one is left.
win32_way_live_users() {
    local mark live=1
    [[ -d $WIN32_WAY_USERS ]] || return 1
    for mark in "$WIN32_WAY_USERS"/[0-9]*; do
        [[ -e $mark ]] || continue
        if kill -0 "${mark##*/}" 2>/dev/null; then
            live=0
        else
            rm -f "$mark"
        fi
    done
    return "$live"
}

# Removes the entry and the mount a user made, when no live user is left.
win32_way_tidy() {
    win32_way_live_users && return 0
    [[ -e $WIN32_WAY_BINFMT/$WIN32_WAY_ENTRY ]] && echo -1 >"$WIN32_WAY_BINFMT/$WIN32_WAY_ENTRY" 2>/dev/null
    if [[ -e $WIN32_WAY_USERS/mounted ]]; then
        umount "$WIN32_WAY_BINFMT" 2>/dev/null
    fi
    rm -rf "$WIN32_WAY_USERS"
    return 0
}

win32_way_up() {
    mkdir -p "$WIN32_WAY_USERS" || return 1
    if [[ ! -e $WIN32_WAY_BINFMT/register ]]; then
        mount -t binfmt_misc binfmt_misc "$WIN32_WAY_BINFMT" || return 1
        : >"$WIN32_WAY_USERS/mounted"
    fi
    : >"$WIN32_WAY_USERS/$$"
    if [[ ! -e $WIN32_WAY_BINFMT/$WIN32_WAY_ENTRY ]]; then
        printf ':%s:M::%s:%s:%s:F\n' "$WIN32_WAY_ENTRY" "$WIN32_WAY_MAGIC" "$WIN32_WAY_MASK" "$WIN32_WAY_QEMU" \
            >"$WIN32_WAY_BINFMT/register" 2>/dev/null || { win32_way_down; return 1; }
    fi
}

win32_way_down() {
    rm -f "$WIN32_WAY_USERS/$$"
    win32_way_tidy
}

# Whether qemu-user through binfmt_misc runs the loader; the reason in WIN32_WAY_WHY when not.
win32_way_emulation_works() {
    local major
    if [[ ! -x $WIN32_WAY_QEMU ]]; then
        WIN32_WAY_WHY="$WIN32_WAY_QEMU is not installed (qemu-user $WIN32_WAY_QEMU_MAJOR or later)"
        return 1
    fi
    major=$(win32_way_qemu_major)
    if [[ -z $major ]] || (( major < WIN32_WAY_QEMU_MAJOR )); then
        WIN32_WAY_WHY="$WIN32_WAY_QEMU is version ${major:-unknown}; Wine's loader needs $WIN32_WAY_QEMU_MAJOR or later"
        return 1
    fi
    if (( EUID != 0 )); then
        WIN32_WAY_WHY="registering the emulator through binfmt_misc needs root"
        return 1
    fi
    local works=1
    if win32_way_up; then
        win32_way_loader_runs && works=0
        win32_way_down
        (( works == 0 )) || WIN32_WAY_WHY="$WIN32_WAY_LOADER does not run under $WIN32_WAY_QEMU either"
    else
        WIN32_WAY_WHY="the emulator could not be registered through binfmt_misc"
    fi
    return "$works"
}

win32_way_probe() {
    WIN32_WAY= WIN32_WAY_WHY=
    local forced=${E2E_WIN32_WAY:-}
    case $forced in
        '' | native | emulated) ;;
        none) WIN32_WAY=none WIN32_WAY_WHY="E2E_WIN32_WAY=none"; return 0 ;;
        *) WIN32_WAY=none WIN32_WAY_WHY="E2E_WIN32_WAY is native, emulated or none, not '$forced'"; return 0 ;;
    esac
    if [[ ! -e $WIN32_WAY_LOADER ]]; then
        WIN32_WAY=none WIN32_WAY_WHY="$WIN32_WAY_LOADER is not installed (wine32:i386; scripts/install-prereqs.sh installs it)"
        return 0
    fi
    win32_way_tidy
    if [[ $forced == native ]]; then
        WIN32_WAY=native
        return 0
    fi
    # With the entry of a live user in place, every i386 program goes through the
    # emulator: the native answer cannot be had, and the emulated way is the one at hand.
    if [[ $forced != emulated && ! -e $WIN32_WAY_BINFMT/$WIN32_WAY_ENTRY ]] && win32_way_loader_runs; then
        WIN32_WAY=native
        return 0
    fi
    local native_why="this kernel runs no 32-bit code"
    [[ $forced == emulated ]] && native_why="E2E_WIN32_WAY=emulated"
    if win32_way_emulation_works; then
        WIN32_WAY=emulated WIN32_WAY_WHY="$native_why; qemu-i386 $(win32_way_qemu_major) through binfmt_misc"
    else
        WIN32_WAY=none WIN32_WAY_WHY="$native_why, and $WIN32_WAY_WHY"
    fi
}

win32_way_line() {
    case $WIN32_WAY in
        native) printf 'native\n' ;;
        emulated) printf 'emulated (%s)\n' "$WIN32_WAY_WHY" ;;
        *) printf 'none: %s\n' "$WIN32_WAY_WHY" ;;
    esac
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    win32_way_probe
    win32_way_line
fi
