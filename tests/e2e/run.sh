#!/usr/bin/env bash
# The end-to-end suite: a Windows build (win32, the one that ships, or win64) driven
# through its real windows under Wine.
#
# usage: tests/e2e/run.sh [BUILD_DIR] [SCENARIO...]
#   BUILD_DIR  a Windows build folder (default build/win64); it must hold
#              tests/e2e/build.env and tests/e2e/driver/TVDRIVER.EXE, and app/INSTALL.EXE,
#              the stand-ins and the sample media for the installer's scenarios.
#   SCENARIO   names of scenarios in tests/e2e/scenarios (without .sh), paths of
#              scenario files kept elsewhere, or @TAG: the scenarios whose "# tags:" line
#              names TAG (@shipped: the ones that prove the shipped build); default all.
# E2E_SHOTS_DIR puts the screenshots elsewhere; E2E_DISPLAY=existing uses $DISPLAY.
#
# What it does, for determinism:
# - Always starts its own Xvfb (1024 x 768, 24 bits) on a free display, whatever
#   $DISPLAY says, so that screenshots do not depend on the machine's screen.
# - Runs the build's programs with the Wine loader of their width (the build says which in
#   tests/e2e/build.env): /usr/lib/wine/wine for 32-bit, wine64 for 64-bit, so that every
#   Windows program a scenario starts (reg, regedit too) sees the registry view the
#   program under test sees. Scenarios read the width as E2E_BITS.
# - Runs everything with address randomization off (see below), so that no Wine program
#   fails at its start now and then.
# - Boots one fresh Wine prefix per run with the virtual desktop "Default" at
#   1024 x 768 (Wine draws the frames itself, with no window manager), and gives every
#   scenario its own copy of it: no scenario sees what another left behind.
# - Runs each scenario in a new bash with tests/e2e/lib.sh sourced, bounded by
#   E2E_SCENARIO_SECONDS (default 300); then kills the processes it started, by PID,
#   and the prefix's Wine server.
# - Runs a 32-bit build the way scripts/win32-way.sh finds (or E2E_WIN32_WAY forces):
#   native; emulated, with qemu-user registered for the run and taken away again on every
#   way out, and the time bounds three times as long; or not at all (none), which it
#   says in one line with the reason, and exits 3.
# - Prints one line per scenario, PASS or FAIL with the reason, and at the end
#   "BUILD (WAY): N run, P passed, F failed"; exits 1 when any failed, 2 when it could
#   not run at all.
# Screenshots go to build/e2e-shots/<scenario>-<n>.png, the logs of failed scenarios to
# build/e2e-logs/<scenario>/. E2E_KEEP=1 keeps the temporary folder (/tmp/e2e-run.*).
set -uo pipefail

# Wine's loaders sit at a fixed address just under 2 GiB, and this kernel starts their heap
# anywhere in the gigabyte above them: about one start in a thousand, right over the page
# that Wine maps at 0x7ffe0000, and that program ends at once with status 1 ("failed to
# map the shared user data", an error hidden by WINEDEBUG=-all). Without address
# randomization the heap follows the loader, so every process of the run, Wine's and the
# scenarios', inherits a fixed layout.
if [[ -z ${E2E_FIXED_LAYOUT:-} ]]; then
    E2E_FIXED_LAYOUT=1 exec setarch "$(uname -m)" --addr-no-randomize bash "${BASH_SOURCE[0]}" "$@"
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:-$repo/build/win64}
shift || true
selected=("$@")

scenario_seconds=${E2E_SCENARIO_SECONDS:-300}
time_scale=1
boot_seconds=180
wine_fonts=/usr/share/wine/fonts

say() { printf '%s\n' "$*"; }
die() {
    say "e2e: $*" >&2
    exit 2
}

# ---------------------------------------------------------------- tools and inputs

[[ -d $build ]] || die "no build folder $build (cmake --preset win64 && cmake --build build/win64)"
build=$(cd "$build" && pwd)
[[ -f $build/tests/e2e/build.env ]] || die "not a Windows build with the e2e folder: $build"
E2E_BITS=$(sed -n 's/^E2E_BITS=\([0-9]*\)$/\1/p' "$build/tests/e2e/build.env")
case $E2E_BITS in
    32) loader=/usr/lib/wine/wine package=wine32:i386 ;;
    64) loader=/usr/lib/wine/wine64 package=wine64 ;;
    *) die "$build/tests/e2e/build.env names no width" ;;
esac
way=native
if (( E2E_BITS == 32 )); then
    # shellcheck source=scripts/win32-way.sh
    source "$repo/scripts/win32-way.sh"
    win32_way_probe
    way=$WIN32_WAY
    if [[ $way == none ]]; then
        say "e2e: win32 (none): not run: $WIN32_WAY_WHY"
        exit 3
    fi
fi
# The prefix is booted by the 64-bit loader: one 64-bit prefix runs both widths.
E2E_BOOT_WINE=/usr/lib/wine/wine64
[[ -x $E2E_BOOT_WINE ]] || die "wine64 not found (scripts/install-prereqs.sh installs it)"
E2E_WINE=${E2E_WINE:-$loader}
[[ -x $E2E_WINE ]] || die "$E2E_WINE not found: the $E2E_BITS-bit build needs $package (scripts/install-prereqs.sh installs it)"

# The server itself, not the wrapper in /usr/bin, which adds "-p0" to every call.
E2E_WINESERVER=/usr/lib/wine/wineserver64
[[ -x $E2E_WINESERVER ]] || E2E_WINESERVER=$(command -v wineserver) || die "wineserver not found"
for tool in Xvfb convert zip python3 timeout; do
    command -v "$tool" >/dev/null || die "$tool not found (scripts/install-prereqs.sh installs it)"
done
[[ -f $build/tests/e2e/driver/TVDRIVER.EXE ]] || die "the driver is not built: $build/tests/e2e/driver/TVDRIVER.EXE"

# tagged TAG: the scenarios whose "# tags:" line names TAG.
tagged() {
    grep -lE "^# tags:(.* )?$1( |\$)" "$here"/scenarios/*.sh
}

scenarios=()
if (( ${#selected[@]} == 0 )); then
    scenarios=("$here"/scenarios/*.sh)
else
    for name in "${selected[@]}"; do
        if [[ $name == @* ]]; then
            mapfile -t -O "${#scenarios[@]}" scenarios < <(tagged "${name#@}")
            tagged "${name#@}" >/dev/null || die "no scenario is tagged ${name#@}"
            continue
        fi
        if [[ $name == */* && -f $name ]]; then   # a scenario kept elsewhere (the demo)
            scenarios+=("$(cd "$(dirname "$name")" && pwd)/$(basename "$name")")
            continue
        fi
        [[ -f $here/scenarios/$name.sh ]] || die "no scenario $name"
        scenarios+=("$here/scenarios/$name.sh")
    done
fi

shots=${E2E_SHOTS_DIR:-$repo/build/e2e-shots}
logs="$repo/build/e2e-logs"
mkdir -p "$shots" "$logs"

tmp=$(mktemp -d /tmp/e2e-run.XXXXXX) || die "no temporary folder"
xvfb_pid=
prefixes=()

# Wine's own folders (its cache, the links it makes to the user's folders) stay in the
# temporary folder too, and a UTF-8 locale makes Wine hand UTF-8 arguments over intact.
export HOME="$tmp/home" LC_ALL=C.UTF-8 WINEDEBUG=-all
mkdir -p "$HOME"
unset WINEPREFIX WINEARCH WINESERVER WINELOADER

cleanup() {
    local prefix
    for prefix in "${prefixes[@]}"; do
        WINEPREFIX=$prefix "$E2E_WINESERVER" -k >/dev/null 2>&1 || true
    done
    [[ $way != emulated ]] || win32_way_down
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    if [[ ${E2E_KEEP:-0} == 1 ]]; then
        say "e2e: kept $tmp" >&2
    else
        rm -rf "$tmp"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Under emulation every 32-bit process starts about four times slower and computes five to
# eight times slower: each bound a scenario sets, and the scenario's own, grows with it.
if [[ $way == emulated ]]; then
    win32_way_up || die "the emulator could not be registered through binfmt_misc"
    time_scale=3
    scenario_seconds=$((scenario_seconds * time_scale))
fi

# waits up to $1 seconds (polling every 0.1 s) for the command that follows to succeed.
await() {
    local tenths=$(( $1 * 10 ))
    shift
    while (( tenths-- > 0 )); do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# ---------------------------------------------------------------- display and prefix

start_display() {
    local number_file="$tmp/display"
    : >"$number_file"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >"$tmp/xvfb.log" 2>&1 </dev/null &
    xvfb_pid=$!
    await 20 test -s "$number_file" || die "Xvfb did not start: $(tail -3 "$tmp/xvfb.log")"
    DISPLAY=":$(tr -d '\n' <"$number_file")"
    export DISPLAY
}

# One booted prefix per run; scenarios get copies. Mono and Gecko are not wanted (and
# their installers would wait for a click).
make_template() {
    local prefix="$tmp/template"
    prefixes+=("$prefix")
    (
        export WINEPREFIX=$prefix WINEDLLOVERRIDES="mscoree,mshtml="
        unset DISPLAY
        timeout -k 5 "$boot_seconds" "$E2E_BOOT_WINE" wineboot -i || exit 1
        printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n' \
            >"$tmp/desktop.reg"
        timeout -k 5 60 "$E2E_BOOT_WINE" regedit /s "Z:${tmp//\//\\}\\desktop.reg" || exit 1
        timeout -k 5 "$boot_seconds" "$E2E_WINESERVER" -w
        # Debian's wine64 does not find the fonts it ships (Marlett draws the caption
        # buttons, Tahoma and MS Sans Serif the dialogs); in the prefix's Fonts it does.
        if [[ -d $wine_fonts ]]; then
            cp "$wine_fonts"/*.ttf "$prefix/drive_c/windows/Fonts/"
        fi
    ) >"$tmp/boot.log" 2>&1 </dev/null || die "the Wine prefix could not be made: $(tail -5 "$tmp/boot.log")"
}

# The Program Files folder as the build's programs see it (the 32-bit view of a 64-bit
# machine has its own): where the program puts the engine it unpacks.
read_program_files() {
    local output
    output=$(WINEPREFIX="$tmp/template" timeout -k 5 60 "$E2E_WINE" reg query \
        'HKLM\Software\Microsoft\Windows\CurrentVersion' /v ProgramFilesDir 2>>"$tmp/boot.log")
    WINEPREFIX="$tmp/template" "$E2E_WINESERVER" -k >/dev/null 2>&1 || true
    WINEPREFIX="$tmp/template" timeout -k 5 30 "$E2E_WINESERVER" -w >/dev/null 2>&1 || true
    E2E_PROGRAM_FILES=$(sed -n 's/^ *ProgramFilesDir *REG_SZ *\(.*[^[:space:]]\)[[:space:]]*$/\1/p' <<<"$output")
    [[ -n $E2E_PROGRAM_FILES ]] || die "the prefix names no Program Files folder: $output"
}

# ---------------------------------------------------------------- one scenario

# Ends what a scenario left running: its own processes by PID, then the prefix's server
# (which ends every Windows process of the prefix, the relaunched ones too).
stop_scenario() {
    local work=$1 pid
    if [[ -f $work/pids ]]; then
        while read -r pid; do
            kill "$pid" 2>/dev/null || true
        done <"$work/pids"
    fi
    local prefix
    for prefix in "$work"/prefix*; do
        [[ -d $prefix ]] || continue
        WINEPREFIX="$prefix" "$E2E_WINESERVER" -k >/dev/null 2>&1 || true
        WINEPREFIX="$prefix" timeout -k 5 30 "$E2E_WINESERVER" -w >/dev/null 2>&1 || true
    done
    if [[ -f $work/pids ]]; then
        while read -r pid; do
            await 5 eval "! kill -0 $pid 2>/dev/null" || kill -KILL "$pid" 2>/dev/null || true
        done <"$work/pids"
    fi
}

# What was on the screen when a scenario failed, for its logs: a picture and the list of
# windows, each bounded in time.
note_the_screen() {
    local work=$1
    timeout -k 5 20 import -window root "$work/final-screen.png" >/dev/null 2>&1 || true
    WINEPREFIX="$work/prefix" timeout -k 5 20 "$E2E_WINE" "$build/tests/e2e/driver/TVDRIVER.EXE" list \
        >"$work/final-windows.txt" 2>&1 </dev/null || true
}

passed=0
failed=0

run_scenario() {
    local script=$1 name work status started reason
    name=$(basename "$script" .sh)
    work="$tmp/$name"
    mkdir -p "$work"
    rm -f "$shots/$name"-*.png
    rm -rf "${logs:?}/$name"
    if [[ -f $shots/index.txt ]]; then
        grep -v "^$name-[0-9]*\.png" "$shots/index.txt" >"$tmp/index.txt" || true
        mv "$tmp/index.txt" "$shots/index.txt"
    fi
    cp -a "$tmp/template" "$work/prefix" || die "cannot copy the prefix"
    prefixes+=("$work/prefix")
    started=$SECONDS
    # shellcheck disable=SC2016  # expanded by the scenario's own bash
    E2E_REPO=$repo E2E_BUILD=$build E2E_WORK=$work E2E_SCENARIO=$name E2E_SHOTS=$shots \
    E2E_TEMPLATE="$tmp/template" E2E_TIME_SCALE=$time_scale E2E_WINE=$E2E_WINE E2E_BITS=$E2E_BITS E2E_PROGRAM_FILES=$E2E_PROGRAM_FILES E2E_WINESERVER=$E2E_WINESERVER WINEPREFIX="$work/prefix" \
        timeout -k 10 "$scenario_seconds" \
        bash -c 'set -uo pipefail; source "$1"; e2e_start_wine; cd "$E2E_WORK"; source "$2"' \
        "$name" "$here/lib.sh" "$script" >"$work/output.log" 2>&1 </dev/null
    status=$?
    (( status == 0 )) || note_the_screen "$work"
    stop_scenario "$work"
    local elapsed=$((SECONDS - started))
    if (( status == 0 )); then
        passed=$((passed + 1))
        say "PASS $name (${elapsed}s)"
        rm -rf "$work"/prefix*
        return
    fi
    failed=$((failed + 1))
    if (( status == 124 || status == 137 )); then
        reason="did not finish within ${scenario_seconds}s"
    elif [[ -s $work/reason ]]; then
        reason=$(head -1 "$work/reason")
    else
        reason="exit status $status: $(tail -1 "$work/output.log")"
    fi
    say "FAIL $name (${elapsed}s): $reason"
    mkdir -p "$logs/$name"
    find "$work" -maxdepth 1 -type f -exec cp {} "$logs/$name/" \;
    rm -rf "$work"/prefix*
}

# E2E_DISPLAY=existing shows the run on the display in $DISPLAY (the demo on a desktop).
if [[ ${E2E_DISPLAY:-} == existing && -n ${DISPLAY:-} ]]; then
    export DISPLAY
else
    start_display
fi
make_template
read_program_files
say "e2e: the ${E2E_BITS}-bit build in $build ($way); its Program Files: $E2E_PROGRAM_FILES"
for script in "${scenarios[@]}"; do
    run_scenario "$script"
done
say "win$E2E_BITS ($way): $((passed + failed)) run, $passed passed, $failed failed"
(( failed == 0 ))
