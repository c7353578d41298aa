# The whole job timed under Wine: run by tests/e2e/run.sh as a scenario kept elsewhere
# (lib.sh's helpers, its own Xvfb and a booted prefix), from bench/whole-job.sh, which
# made the media and the peers first.
#
# In one prefix, in turn, BENCH_RUNS times each: INSTALL.EXE -auto from the CD drive D:,
# the NSIS installer /S, msiexec /i /qn, and a person's run of INSTALL.EXE from the type
# page to the end page (the driver answering each page as soon as it is up), and the
# archive engine alone on the joined archives (qunzip.exe), the limit. Before each
# run the machine is put back as it was without the product: the Wine server stopped
# (it holds the registry), the prefix copied back from a snapshot taken once, the server
# and its desktop started again. Each run is checked (exit code, the installed files)
# before its time counts. Then one more unattended run, untimed, watched from outside.
#
# In: BENCH_STAGE (cd/ with the media and the two peers, product/, local.ini), BENCH_RUNS.
# Out, in BENCH_OUT: times.tsv, one line per run: side, run, seconds, processor ms (the
# run's own processes, then the machine's servers and the X server; "-" without perf);
# person.tsv, the moments of a person's runs; logs/, this row's run logs (emptied
# first); observed-*, the watched run (watch.py's file events, perf's samples, the two
# clocks).

source "$E2E_REPO/tests/e2e/fresh-pages.sh"

RUN_SECONDS=300
SIDES=(auto nsis msi person engine)
COPY_PAGE="Copiere fisiere Torvex"
CONFIG_PAGE="Configurare sistem"
BENCH_TOOLS=$E2E_REPO/bench/whole-job
# Each row reads every log here: a row starts with none of an earlier one's.
rm -rf "$BENCH_OUT/logs" && mkdir -p "$BENCH_OUT/logs"
: >"$BENCH_OUT/times.tsv"
: >"$BENCH_OUT/person.tsv"
have_perf=false
command -v perf >/dev/null && perf stat -e task-clock true 2>/dev/null && have_perf=true

snapshot=$E2E_WORK/snapshot
now() { printf '%s\n' "$EPOCHREALTIME"; }
elapsed() { python3 -c "import sys; print(f'{float(sys.argv[2]) - float(sys.argv[1]):.3f}')" "$1" "$2"; }

# ---------------------------------------------------------------- the machine, put back

# The prefix without Wine's own libraries (system32, syswow64: most of it), which are
# linked, not copied: no installer writes there, and restore_machine checks that none did.
copy_prefix() {
    local from=$1 to=$2 entry
    (cd "$from" && find . -mindepth 1 -maxdepth 1 ! -name drive_c -exec cp -a {} "$to/" \;)
    mkdir -p "$to/drive_c/windows"
    (cd "$from/drive_c" && find . -mindepth 1 -maxdepth 1 ! -name windows -exec cp -a {} "$to/drive_c/" \;)
    for entry in "$from"/drive_c/windows/* "$from"/drive_c/windows/.[!.]*; do
        [[ -e $entry ]] || continue
        case ${entry##*/} in
            system32 | syswow64) cp -al "$entry" "$to/drive_c/windows/" ;;
            *) cp -a "$entry" "$to/drive_c/windows/" ;;
        esac
    done
}

# The machine as it is now becomes the one every run starts from.
take_snapshot() {
    e2e_stop_wine
    rm -rf "$snapshot"
    mkdir -p "$snapshot"
    copy_prefix "$WINEPREFIX" "$snapshot"
    touch "$E2E_WORK/snapshot-taken"
}

restore_machine() {
    e2e_stop_wine
    local changed
    changed=$(find "$WINEPREFIX/drive_c/windows/system32" "$WINEPREFIX/drive_c/windows/syswow64" \
                   -newer "$E2E_WORK/snapshot-taken" -print -quit)
    [[ -z $changed ]] || fail "an installer wrote into Wine's libraries ($changed): the snapshot is spoilt"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    copy_prefix "$snapshot" "$WINEPREFIX"
    e2e_start_wine
}

# The run's X server: the Xvfb that run.sh, an ancestor of this shell, started.
own_xvfb() {
    local pid=$$
    while (( pid > 1 )); do
        pgrep -P "$pid" -x Xvfb && return 0
        pid=$(ps -o ppid= -p "$pid" | tr -d ' ')
    done
    return 1
}
XVFB_PID=$(own_xvfb) || fail "cannot find this run's Xvfb"

# ---------------------------------------------------------------- one run, timed

# The Wine processes of this machine now (its server, desktop and services), each followed
# by a comma.
machine_processes() {
    local entry
    for entry in /proc/[0-9]*; do
        [[ $(readlink "$entry/exe" 2>/dev/null) == */wine* ]] || continue
        tr '\0' '\n' <"$entry/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && printf '%s,' "${entry#/proc/}"
    done
    return 0
}

machine_cpu() { python3 "$BENCH_TOOLS/machinecpu.py" snapshot "$1" "$WINEPREFIX" "$XVFB_PID"; }

# timed_start / timed_end around a run: TOOK (seconds) and the servers' processor time.
timed_start() {
    machine_cpu "$E2E_WORK/cpu-before"
    STARTED=$(now)
}
timed_end() {
    TOOK=$(elapsed "$STARTED" "$(now)")
    machine_cpu "$E2E_WORK/cpu-after"
    SERVERS_MS=$(python3 "$BENCH_TOOLS/machinecpu.py" delta "$E2E_WORK/cpu-before" "$E2E_WORK/cpu-after")
}

# run_timed COMMAND...: a Windows program run to its end in the foreground, with its
# process tree's processor time counted by perf (children that Wine starts included);
# sets TOOK, OWN_MS, SERVERS_MS and WIN_EXIT_CODE.
run_timed() {
    local counter=()
    rm -f "$E2E_WORK/own-cpu"
    # shellcheck disable=SC2054  # "-x," is perf's option: fields separated by commas
    $have_perf && counter=(perf stat -x, -e task-clock -o "$E2E_WORK/own-cpu" --)
    WIN_EXIT_CODE=0
    timed_start
    (cd "$E2E_WORK" && timeout -k 5 "$RUN_SECONDS" "${counter[@]}" "$@") >>"$E2E_WORK/wine.log" 2>&1 ||
        WIN_EXIT_CODE=$?
    timed_end
    OWN_MS=-
    [[ ! -s $E2E_WORK/own-cpu ]] || OWN_MS=$(awk -F, '/task-clock/ { printf "%d", $1 }' "$E2E_WORK/own-cpu")
}

time_auto() {
    run_timed "$E2E_WINE" 'D:\INSTALL.EXE' -auto 'C:\bench\local.ini'
    (( WIN_EXIT_CODE == 0 )) || fail "INSTALL.EXE -auto ended with $WIN_EXIT_CODE"
}

time_nsis() {
    run_timed "$E2E_WINE" 'D:\TORVNSIS.EXE' /S
    (( WIN_EXIT_CODE == 0 )) || fail "the NSIS installer ended with $WIN_EXIT_CODE"
}

time_msi() {
    run_timed "$E2E_WINE" msiexec /i 'D:\TORVEX.MSI' /qn
    (( WIN_EXIT_CODE == 0 )) || fail "msiexec ended with $WIN_EXIT_CODE"
}

# The limit of the copy page's work: the archive engine alone (qunzip.exe x), one program
# per archive, from a batch file; and the same batch starting qunzip.exe with nothing to
# do, so that starting the seven programs can be taken away.
write_engine_batches() {
    local archives tool name target
    archives=$(winpath "$BENCH_STAGE/archives")
    tool=$(winpath "$BENCH_STAGE/qunzip.exe")
    {
        printf '@echo off\r\nmkdir C:\\WinTorv\r\n'
        for name in EXE VANTIR DBDAT DBNEW BDE32 HELP MIRDAN; do
            target='C:\WinTorv'
            [[ $name != BDE32 ]] || target="$E2E_PROGRAM_FILES\\Borland\\Common Files\\BDE"
            printf '"%s" x "%s\\%s.ZIP" "%s" >nul\r\nif errorlevel 1 exit 1\r\n' "$tool" "$archives" "$name" "$target"
        done
    } >"$(cpath 'C:\bench\engine.bat')"
    {
        printf '@echo off\r\n'
        for name in 1 2 3 4 5 6 7; do printf '"%s" >nul 2>nul\r\n' "$tool"; done
    } >"$(cpath 'C:\bench\starts.bat')"
}

time_engine() {
    run_timed "$E2E_WINE" cmd /c 'C:\bench\starts.bat'
    local starts=$TOOK own=$OWN_MS servers=$SERVERS_MS
    run_timed "$E2E_WINE" cmd /c 'C:\bench\engine.bat'
    (( WIN_EXIT_CODE == 0 )) || fail "qunzip.exe failed ($WIN_EXIT_CODE)"
    TOOK=$(python3 -c "import sys; print(f'{float(sys.argv[1]) - float(sys.argv[2]):.3f}')" "$TOOK" "$starts")
    [[ $OWN_MS == - ]] || OWN_MS=$((OWN_MS - own))
    SERVERS_MS=$((SERVERS_MS - servers))
}

# A person who answers at once: LOCAL, the proposed folders, Continue on each page. The
# time runs from the type page being seen to the end page being seen; each step's moment
# goes to person.tsv. The driver's own processes are not counted as the program's.
time_person() {
    local run=$1 moments=()
    win_start "person-$run" --cwd "$E2E_WORK" 'D:\INSTALL.EXE' -log x
    drv wait-window "$TYPE_PAGE" 60 >/dev/null
    timed_start
    moments+=("$STARTED")
    drv click "$TYPE_PAGE" "$ITEM_LOCAL"
    drv click "$TYPE_PAGE" "&Continua"
    moments+=("$(now)")
    drv click "$DIRS_PAGE" "&Continua" 30
    moments+=("$(now)")
    drv click "$COPY_PAGE" "&Continua" 30
    moments+=("$(now)")
    drv click "$CONFIG_PAGE" "&Continua" "$RUN_SECONDS"
    moments+=("$(now)")
    drv wait-window "$END_PAGE" "$RUN_SECONDS" >/dev/null
    timed_end
    moments+=("$(now)")
    OWN_MS=-
    printf '%s\t%s\n' "$run" "${moments[*]}" >>"$BENCH_OUT/person.tsv"
    (( run > 1 )) || shot "a person's run: the end page" >/dev/null
    drv click "$END_PAGE" "I&esire"
    drv wait-process-gone INSTTORV.EXE 60
    win_wait_exit "person-$run" 60
}

expect_product() {
    local program
    program=$(cpath 'C:\WinTorv')
    cmp -s "$BENCH_STAGE/product/EXE/TORVEX.EXE" "$program/TORVEX.EXE" || fail "$1: TORVEX.EXE is not the product's"
    cmp -s "$BENCH_STAGE/product/DBDAT/DATA/T080.DB" "$program/DATA/T080.DB" || fail "$1: DATA\\T080.DB is not the product's"
    expect_file "$program/NEW/LUNA/L030.DB"
    # The engine goes to the Program Files folder of the installer's width: NSIS's is 32-bit.
    compgen -G "$DRIVE_C/Program Files*/Borland/Common Files/BDE/IDAPI32.DLL" >/dev/null ||
        fail "$1: the engine's IDAPI32.DLL was not installed"
}

# What each installer does beyond the files, checked after its time is taken: the engine's
# registry values (in the registry view of the installer's width), the group's shortcuts,
# the WIN.INI value (the MSI package writes none) and the list of programs.
expect_configured() {
    local side=$1 what="$1 run $2" group
    local key='HKLM\Software\Borland\Database Engine'
    win_output reg query "$key" /v DLLPATH /reg:32 >/dev/null || win_output reg query "$key" /v DLLPATH /reg:64 >/dev/null ||
        fail "$what: no DLLPATH of the engine in the registry"
    group=$(program_group_dir WinTORVEX) || fail "$what: no group WinTORVEX"
    # INSTALL.EXE sends the Program Manager its commands as one string, a line each; Wine's
    # shell carries out the first line only, so under Wine its group stays empty.
    [[ $side == auto || $side == person ]] || (( $(find "$group" -iname '*.lnk' | wc -l) >= 3 )) ||
        fail "$what: the group has fewer than three shortcuts"
    [[ $side == msi ]] || [[ $(win_ini_value Torvex LastUser) == Master ]] || fail "$what: no [Torvex] LastUser in WIN.INI"
    local listed
    listed=$(win_output uninstaller --list) || fail "$what: uninstaller --list failed"
    grep -q WinTORVEX <<<"$listed" || fail "$what: WinTORVEX is not in the list of programs"
}

# ---------------------------------------------------------------- one run, watched

# An unattended run, untimed, watched from outside: the files as they are made, read and
# deleted (watch.py), and where the processor time goes (perf, when there is one), in the
# run's own processes and in the Wine server and the X server.
observe_auto() {
    restore_machine
    local files=$BENCH_OUT/observed-files.tsv folder watcher sampler=
    local folders=("$DRIVE_C" "$DRIVE_C/windows" "$(win_temp_dir)")
    for folder in "$DRIVE_C"/Program\ Files*; do folders+=("$folder"); done
    nice -n -5 python3 "$BENCH_TOOLS/watch.py" "$files" "${folders[@]}" &
    watcher=$!
    printf '%s\n' "$watcher" >>"$E2E_WORK/pids"
    wait_until 10 "the watcher is ready" grep -q ready "$files"
    python3 -c 'import time; print(f"{time.time():.6f}\t{time.clock_gettime(time.CLOCK_MONOTONIC):.6f}")' \
        >"$BENCH_OUT/observed-clock.tsv"
    local run=("$E2E_WINE" 'D:\INSTALL.EXE' -auto 'C:\bench\local.ini')
    rm -f "$BENCH_OUT"/observed-*.data
    if $have_perf; then
        perf record -q -k CLOCK_MONOTONIC -F 999 -o "$BENCH_OUT/observed-servers.data" \
            -p "$(machine_processes)$XVFB_PID" 2>/dev/null &
        sampler=$!
        printf '%s\n' "$sampler" >>"$E2E_WORK/pids"
        run=(perf record -q -k CLOCK_MONOTONIC -F 999 -o "$BENCH_OUT/observed-run.data" -- "${run[@]}")
    fi
    WIN_EXIT_CODE=0
    (cd "$E2E_WORK" && timeout -k 5 "$RUN_SECONDS" "${run[@]}") >>"$E2E_WORK/wine.log" 2>&1 || WIN_EXIT_CODE=$?
    (( WIN_EXIT_CODE == 0 )) || fail "the watched run ended with $WIN_EXIT_CODE"
    local pid
    for pid in $sampler $watcher; do
        kill -INT "$pid"
        wait "$pid" || true
    done
    expect_product "the watched run"
    tr -d '\r' <"$(cpath 'C:\torvinst.log')" >"$BENCH_OUT/logs/observed.log"
    printf '%s\n' "$DRIVE_C" >"$BENCH_OUT/observed-drive-c.txt"
}

# ---------------------------------------------------------------- the runs

# A desktop's X server carries the resources its session loaded (xrdb), and Xlib, finding
# them, reads its defaults once. The suite's bare Xvfb has none, and then every font that
# Wine's X driver selects sends Xlib looking for ~/.Xdefaults and ~/.Xdefaults-HOST again
# (two failed opens and a uname each time). One resource that nothing reads makes this
# Xvfb a desktop's; BENCH_BARE_X=1 keeps it bare, as the suite runs. The X server forgets
# its root window's properties when its last client leaves, as each restore's Wine does:
# a client that only watches the property stays connected for the whole run.
keeper=
if [[ ${BENCH_BARE_X:-0} != 1 ]]; then
    xprop -root -spy RESOURCE_MANAGER >/dev/null 2>&1 &
    keeper=$!
    printf '%s\n' "$keeper" >>"$E2E_WORK/pids"
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER 'torvexbench.desktop: 1'
    wait_until 10 "the X server holds the resource" eval "xprop -root RESOURCE_MANAGER | grep -q torvexbench"
fi
set_reg 'HKLM\Software\Wine\Drives' 'd:' cdrom
insert_disk d "$BENCH_STAGE/cd"
mkdir -p "$(cpath 'C:\bench')"
cp "$BENCH_STAGE/local.ini" "$(cpath 'C:\bench\local.ini')"
write_engine_batches
take_snapshot

for run in $(seq 1 "$BENCH_RUNS"); do
    for side in "${SIDES[@]}"; do
        restore_machine
        "time_$side" "$run"
        expect_product "$side run $run"
        [[ $side == engine ]] || expect_configured "$side" "$run"
        printf '%s\t%s\t%s\t%s\t%s\n' "$side" "$run" "$TOOK" "$OWN_MS" "$SERVERS_MS" >>"$BENCH_OUT/times.tsv"
        log=$(cpath 'C:\torvinst.log')
        [[ ! -f $log ]] || tr -d '\r' <"$log" >"$BENCH_OUT/logs/$side-$run.log"
    done
done

# What one call of the driver costs a person's run: starting a Windows program under Wine.
for _ in 1 2 3 4 5; do
    started=$(now)
    drv list >/dev/null
    printf 'driver\t%s\n' "$(elapsed "$started" "$(now)")" >>"$BENCH_OUT/person.tsv"
done

observe_auto
restore_machine
[[ -z $keeper ]] || kill "$keeper"
