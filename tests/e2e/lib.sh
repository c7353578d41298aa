# Helpers for the end-to-end scenarios. run.sh sources this file into a fresh bash for
# each scenario, after it has made the scenario's own Wine prefix and started its
# Wine server and desktop. A scenario is a plain bash script that calls these helpers;
# the first failed step ends it with a reason that run.sh prints.
#
# Set by run.sh: E2E_REPO, E2E_BUILD, E2E_WORK (this scenario's scratch folder),
# E2E_SCENARIO (its name), E2E_SHOTS (where screenshots go), E2E_BITS (32 or 64: the
# width of the build under test), E2E_WINE (the Wine loader of that width, so that reg,
# regedit and every other Windows program a scenario starts see the registry view the
# program sees), E2E_PROGRAM_FILES (the Program Files folder of that view),
# E2E_WINESERVER, WINEPREFIX, WINEDEBUG, DISPLAY.
#
# Windows paths are written as Windows sees them ('C:\MEDIA\INSTALL.EXE'); cpath turns
# one into the file in the prefix. Every wait is bounded; none is a bare sleep.

# shellcheck disable=SC2034  # E2E_PROBE, DRIVE_C and WIN_EXIT_CODE are for the scenarios
E2E_DRIVER="$E2E_BUILD/tests/e2e/driver/TVDRIVER.EXE"
E2E_PROBE="$E2E_BUILD/tests/e2e/probe/PROBE.EXE"
DRIVE_C="$WINEPREFIX/drive_c"

# How much longer every bound is on an emulated build (the harness sets it; the driver
# reads it too), and how long a single driver call or a short Windows command may take.
E2E_TIME_SCALE=${E2E_TIME_SCALE:-1}
E2E_COMMAND_SECONDS=${E2E_COMMAND_SECONDS:-$((60 * E2E_TIME_SCALE))}
# How often wait_until looks again.
E2E_POLL_SECONDS=0.1

declare -A E2E_PIDS=()
WIN_EXIT_CODE=

# ---------------------------------------------------------------- failing and waiting

# Ends the scenario; the first reason given is the one reported.
fail() {
    [[ -s "$E2E_WORK/reason" ]] || printf '%s\n' "$*" >"$E2E_WORK/reason"
    exit 1
}

# Any command that fails outside a condition ends the scenario and names itself.
set -E
trap 'fail "line $LINENO: failed: $BASH_COMMAND"' ERR

# Microseconds since the epoch, and a number of seconds ("30", "0.5") in microseconds.
e2e_now_us() { printf '%s\n' "${EPOCHREALTIME//[^0-9]/}"; }
e2e_seconds_us() {
    local whole=${1%%.*} fraction=
    [[ $1 == *.* ]] && fraction=${1#*.}
    fraction=${fraction}000000
    printf '%s\n' $(( 10#${whole:-0} * 1000000 + 10#${fraction:0:6} ))
}

# wait_until SECONDS DESCRIPTION COMMAND [ARGS...]: runs COMMAND every 0.1 s until it
# succeeds; fails the scenario with DESCRIPTION when SECONDS pass first.
wait_until() {
    local seconds=$1 description=$2
    shift 2
    local deadline=$(( $(e2e_now_us) + $(e2e_seconds_us "$seconds") * E2E_TIME_SCALE ))
    until "$@"; do
        (( $(e2e_now_us) < deadline )) || fail "timed out after ${seconds}s waiting until $description"
        sleep "$E2E_POLL_SECONDS"
    done
}

# ---------------------------------------------------------------- paths

# cpath 'C:\MEDIA\INSTALL.EXE' -> <prefix>/drive_c/MEDIA/INSTALL.EXE (the case as given);
# another drive's path goes through the prefix's link for that letter (dosdevices/d:).
cpath() {
    local path=$1
    [[ ${path:1:2} == ':\' || ${path:1:2} == :/ ]] || fail "cpath: not a drive path: $path"
    local letter=${path:0:1} rest=${path:3}
    if [[ $letter == [Cc] ]]; then
        printf '%s\n' "$DRIVE_C/${rest//\\//}"
    else
        printf '%s\n' "$WINEPREFIX/dosdevices/${letter,,}:/${rest//\\//}"
    fi
}

# winpath /unix/path -> Z:\unix\path (Wine maps the host's root as Z:).
winpath() {
    local path
    path=$(realpath -m -- "$1")
    printf 'Z:%s\n' "${path//\//\\}"
}

# The folder that programs get as %TEMP%: Wine takes it from HKCU\Environment.
win_temp_dir() {
    local value
    value=$(win_output cmd /c echo %TEMP%) || fail "cannot read %TEMP%"
    value=${value%$'\r'}
    cpath "$value"
}

# ---------------------------------------------------------------- Windows programs

# win_output PROGRAM [ARGS...]: runs a Windows program to its end (bounded) and prints
# its output; its status is the program's exit code.
win_output() {
    timeout -k 5 "$E2E_COMMAND_SECONDS" "$E2E_WINE" "$@" 2>>"$E2E_WORK/wine.log"
}

# win_run PROGRAM [ARGS...]: as win_output, output kept in the scenario's log; sets
# WIN_EXIT_CODE and always succeeds, so a scenario can check the code it expects.
win_run() {
    WIN_EXIT_CODE=0
    timeout -k 5 "$E2E_COMMAND_SECONDS" "$E2E_WINE" "$@" >>"$E2E_WORK/wine.log" 2>&1 || WIN_EXIT_CODE=$?
}

# win_start NAME [--cwd UNIXDIR] PROGRAM [ARGS...]: starts a Windows program in the
# background, as a user starts it, and remembers its process under NAME.
win_start() {
    local name=$1 directory=$PWD
    shift
    if [[ ${1:-} == --cwd ]]; then
        directory=$2
        shift 2
    fi
    [[ -z ${E2E_PIDS[$name]:-} ]] || fail "win_start: $name is already started"
    (cd "$directory" && exec "$E2E_WINE" "$@") >>"$E2E_WORK/$name.log" 2>&1 &
    E2E_PIDS[$name]=$!
    printf '%s\n' "$!" >>"$E2E_WORK/pids"
}

# win_wait_exit NAME SECONDS: waits for a program started with win_start to end and
# sets WIN_EXIT_CODE to its exit code.
win_wait_exit() {
    local name=$1 seconds=$2 pid=${E2E_PIDS[$1]:-}
    [[ -n $pid ]] || fail "win_wait_exit: $name was not started"
    wait_until "$seconds" "$name has ended" e2e_process_gone "$pid"
    WIN_EXIT_CODE=0
    wait "$pid" || WIN_EXIT_CODE=$?
}

e2e_process_gone() { ! kill -0 "$1" 2>/dev/null; }

# machine_pid PATTERN: the id of a process of this scenario's machine (its WINEPREFIX)
# whose command line matches PATTERN; another machine's, or another suite's, is not it.
machine_pid() {
    local pid
    for pid in $(pgrep -f "$1"); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            printf '%s\n' "$pid"
            return 0
        fi
    done
    return 1
}

# ---------------------------------------------------------------- the driver

# drv COMMAND [ARGS...]: runs TVDRIVER.EXE and prints what it prints; a failure of the
# driver fails the scenario with the driver's own message.
drv() {
    local status=0
    drv_try "$@" || status=$?
    if (( status != 0 )); then
        fail "driver '$*' failed ($status): $(tr '\n' ' ' <"$E2E_WORK/driver.err")"
    fi
}

# drv_try COMMAND [ARGS...]: as drv, but only returns the driver's status; its error
# message is left in $E2E_WORK/driver.err.
# A wait asked for longer than a plain command may take gets that time and a margin.
drv_try() {
    local bound=$E2E_COMMAND_SECONDS seconds=${!#}
    if [[ $1 == wait-* && $seconds =~ ^[0-9]+$ ]] && (( seconds * E2E_TIME_SCALE + 15 > bound )); then
        bound=$((seconds * E2E_TIME_SCALE + 15))
    fi
    timeout -k 5 "$bound" "$E2E_WINE" "$E2E_DRIVER" "$@" 2>"$E2E_WORK/driver.err"
}

# capture PNG: the whole screen, through the driver's bitmap, into PNG.
capture() {
    local bmp="$E2E_WORK/capture.bmp"
    drv screenshot "$(winpath "$bmp")" >/dev/null
    convert "$bmp" "$1" || fail "cannot convert $bmp to PNG"
    rm -f "$bmp"
}

# shot [LABEL]: the whole screen into $E2E_SHOTS/<scenario>-<n>.png; prints the file.
# The count is kept in a file, as shot usually runs in a command substitution.
shot() {
    local count=0
    [[ -f $E2E_WORK/shot-count ]] && count=$(<"$E2E_WORK/shot-count")
    count=$((count + 1))
    printf '%s\n' "$count" >"$E2E_WORK/shot-count"
    local png="$E2E_SHOTS/$E2E_SCENARIO-$count.png"
    capture "$png"
    [[ -z ${1:-} ]] || printf '%s\t%s\n' "$(basename "$png")" "$1" >>"$E2E_SHOTS/index.txt"
    printf '%s\n' "$png"
}

# pixel PNG X Y: the colour of one pixel as RRGGBB (upper-case hexadecimal).
pixel() {
    convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6
}

# screen_pixel X Y: the colour of one pixel of the screen now.
screen_pixel() {
    capture "$E2E_WORK/screen.png"
    pixel "$E2E_WORK/screen.png" "$1" "$2"
}

# ---------------------------------------------------------------- expectations

expect_file() { [[ -f $1 ]] || fail "expected the file $1"; }
expect_no_file() { [[ ! -e $1 ]] || fail "expected no file $1"; }
expect_dir() { [[ -d $1 ]] || fail "expected the folder $1"; }

# expect_bytes FILE PRINTF-FORMAT [ARGS...]: the file holds exactly these bytes.
expect_bytes() {
    local file=$1
    shift
    expect_file "$file"
    # shellcheck disable=SC2059  # the format is the expectation
    cmp -s "$file" <(printf "$@") ||
        fail "$file holds $(od -c "$file" | head -3 | tr -s ' \n' ' '), expected $(printf "$@" | od -c | head -3 | tr -s ' \n' ' ')"
}

# expect_contains TEXT NEEDLE: NEEDLE occurs in TEXT (as fixed text).
expect_contains() {
    grep -qF -- "$2" <<<"$1" || fail "expected \"$2\" in: $(head -c 400 <<<"$1" | tr '\n' '|')"
}

expect_equal() {
    [[ $1 == "$2" ]] || fail "expected \"$2\", got \"$1\"${3:+ ($3)}"
}

# expect_count FILE FIXED-TEXT N: the text is on exactly N lines of the file.
expect_count() {
    local found
    found=$(grep -cF -- "$2" "$1" || true)
    [[ $found == "$3" ]] || fail "expected $3 lines with \"$2\" in $1, found $found"
}

# ---------------------------------------------------------------- registry, WIN.INI, drives

# reg_value KEY NAME: the data of a registry value as "reg query" shows it; fails when
# the key or the value is not there.
reg_value() {
    local output
    output=$(win_output reg query "$1" /v "$2") || return 1
    python3 -c '
import sys
name = sys.argv[1]
for line in sys.stdin.read().splitlines():
    # "    NAME    REG_TYPE    DATA"
    parts = line.rstrip("\r").split("    ", 3)
    if len(parts) >= 3 and parts[0] == "" and parts[1].lower() == name.lower() and parts[2].startswith("REG_"):
        print(parts[3] if len(parts) == 4 else "")
        sys.exit(0)
sys.exit(1)' "$2" <<<"$output"
}

# set_reg KEY NAME DATA: a string value.
set_reg() {
    win_run reg add "$1" /v "$2" /t REG_SZ /d "$3" /f $(wine_view "$1")
    (( WIN_EXIT_CODE == 0 )) || fail "reg add $1 $2 failed ($WIN_EXIT_CODE)"
}

# wine_view KEY: "/reg:64" for Wine's own settings (HKLM\Software\Wine), which its 64-bit
# services read whatever the width of the build under test; nothing for other keys, which
# go to the view of the build's own programs.
wine_view() {
    local key=${1,,}
    [[ $key == 'hklm\software\wine' || $key == 'hklm\software\wine\'* ]] && printf '/reg:64'
    return 0
}

# win_ini_value SECTION KEY: a value of C:\windows\win.ini, or failure when absent.
win_ini_value() {
    python3 - "$DRIVE_C/windows/win.ini" "$1" "$2" <<'EOF'
import sys
path, section, key = sys.argv[1:]
current = None
try:
    lines = open(path, encoding="latin-1").read().splitlines()
except OSError:
    sys.exit(1)
for line in lines:
    text = line.strip()
    if text.startswith("[") and text.endswith("]"):
        current = text[1:-1].lower()
    elif current == section.lower() and "=" in text:
        name, value = text.split("=", 1)
        if name.strip().lower() == key.lower():
            print(value)
            sys.exit(0)
sys.exit(1)
EOF
}

# use_removable_drive LETTER UNIXDIR: LETTER: becomes a removable drive showing UNIXDIR.
# The drive type is read when the Wine server starts, so the server is restarted.
use_removable_drive() {
    local letter=${1,,}
    set_reg 'HKLM\Software\Wine\Drives' "$letter:" floppy
    insert_disk "$letter" "$2"
    e2e_restart_wine
}

# insert_disk LETTER UNIXDIR: what the drive shows from now on (the next disk).
insert_disk() {
    ln -sfn "$(realpath -m -- "$2")" "$WINEPREFIX/dosdevices/${1,,}:"
}

# use_temp WINDOWS-FOLDER: programs started from now on get this %TEMP%.
use_temp() {
    set_reg 'HKCU\Environment' TEMP "$1"
    mkdir -p "$(cpath "$1")"
}

# use_dpi PIXELS_PER_INCH: programs started from now on find the screen at this DPI
# (96 is 100 %, 144 is 150 %); each reads LogPixels at its start.
use_dpi() {
    win_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f
    (( WIN_EXIT_CODE == 0 )) || fail "reg add LogPixels $1 failed ($WIN_EXIT_CODE)"
}

# ---------------------------------------------------------------- the Wine server

# Starts this prefix's server for good (until e2e_stop_wine) and its desktop, both
# with their output in the scenario's log, so that no later command's pipe is held
# open by them.
e2e_start_wine() {
    "$E2E_WINESERVER" -p >>"$E2E_WORK/wine.log" 2>&1 </dev/null
    timeout -k 5 "$E2E_COMMAND_SECONDS" "$E2E_WINE" "$E2E_DRIVER" list >>"$E2E_WORK/wine.log" 2>&1 </dev/null ||
        fail "the Wine desktop did not start"
}

e2e_stop_wine() {
    "$E2E_WINESERVER" -k >/dev/null 2>&1 || true
    timeout -k 5 "$E2E_COMMAND_SECONDS" "$E2E_WINESERVER" -w >/dev/null 2>&1 || true
}

e2e_restart_wine() {
    e2e_stop_wine
    e2e_start_wine
}

# use_another_machine NAME: from now on the scenario works on a second machine, a new
# copy of the prefix as Wine made it. The first machine's server is stopped; its files
# stay in $E2E_WORK/prefix for comparison.
use_another_machine() {
    e2e_stop_wine
    local prefix="$E2E_WORK/prefix-$1"
    cp -a "$E2E_TEMPLATE" "$prefix" || fail "cannot copy the prefix for the machine $1"
    export WINEPREFIX=$prefix
    DRIVE_C="$WINEPREFIX/drive_c"
    e2e_start_wine
}

# Installer-specific staging (media folder, stand-in engine).
# shellcheck source=tests/e2e/staging.sh
source "$E2E_REPO/tests/e2e/staging.sh"
