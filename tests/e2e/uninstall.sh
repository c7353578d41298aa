# Uninstalls as the scenarios meet them: the product's own uninstaller, the system's list
# of programs, and what of the machine an installation touches, before and after. Sourced
# after lib.sh and staging.sh.

source "$E2E_REPO/tests/e2e/unattended.sh"

UNINSTALL_PAGE="Dezinstalare WinTORVEX"
UNINSTALLER='C:\WinTorv\DEZINST.EXE'

# machine_snapshot: what an installation may touch, one line each, for a comparison of
# the machine before and after: every folder and file on C: with a checksum (apart from
# Wine's own folders, the run log and what the scenario staged), the registry keys of the
# engine, the setup and the list of programs, WIN.INI, and the Start Menu's groups.
machine_snapshot() {
    local path
    (cd "$DRIVE_C" && find . \( -path ./windows -o -path ./users -o -path ./ProgramData -o -path ./deploy \
        -o -path ./MEDIA -o -name torvinst.log \) -prune -o -print | LC_ALL=C sort) |
        while read -r path; do
            if [[ -f $DRIVE_C/$path ]]; then
                printf '%s %s\n' "$(md5sum <"$DRIVE_C/$path" | cut -c1-32)" "$path"
            else
                printf 'folder %s\n' "$path"
            fi
        done
    local key
    for key in 'HKLM\Software\Borland' 'HKLM\Software\WinTORVEX' "HKLM\\$E2E_PROGRAM_LIST_KEY"; do
        printf '== %s\n' "$key"
        win_output reg query "$key" /s 2>/dev/null | tr -d '\r' | grep -v '^$' || true
    done
    tr -d '\r' <"$DRIVE_C/windows/win.ini"
    (cd "$DRIVE_C" && find . -path '*/Start Menu/Programs/*' | LC_ALL=C sort)
}
E2E_PROGRAM_LIST_KEY='Software\Microsoft\Windows\CurrentVersion\Uninstall\WinTORVEX'

# without_lines PATTERN: the input without the lines that match the extended pattern.
without_lines() { grep -Ev -- "$1" || true; }

# listed_programs: the system's list of programs, as Wine's own uninstaller gives it.
listed_programs() { win_output uninstaller --list | tr -d '\r'; }

# uninstall_unattended NAME [ARGS]: the uninstaller as a deployment script runs it,
# started from the list entry's command and waited for; WIN_EXIT_CODE is its exit code.
uninstall_unattended() {
    local name=$1
    shift
    run_unattended "$name" "$UNINSTALLER" -uninstall -auto "$@"
}

# install_unattended NAME ANSWER-LINES...: an unattended installation from the sample CD
# as drive D:, which must end with 0.
install_unattended() {
    local name=$1
    shift
    write_answers "C:\\deploy\\$name.ini" "$@"
    run_unattended "$name" 'D:\INSTALL.EXE' -auto "C:\\deploy\\$name.ini"
    expect_exit 0 "the installation $name"
    without_standins_log
}

# without_standins_log: the stand-ins of the component installers keep their log in the
# program folder, where the product's own installers write nothing.
without_standins_log() { rm -f "$(cpath 'C:\WinTorv')/STANDINS.LOG"; }

# uninstall_through_page: DEZINST.EXE -uninstall started as a person starts it from the
# list of programs, its page walked (Continua, Da, the steps, I&esire), with a screenshot
# of the page before, of the question and of the end. UNINSTALL_TEXTS holds what the page
# said at its end; WIN_EXIT_CODE is the exit code.
uninstall_through_page() {
    win_start uninstall "$UNINSTALLER" -uninstall
    drv wait-window "$UNINSTALL_PAGE" 60 >/dev/null
    shot "the uninstall page before anything is removed" >/dev/null
    drv click "$UNINSTALL_PAGE" "&Continua"
    drv wait-window Confirmare 30 >/dev/null
    shot "the uninstall asks once before it removes anything" >/dev/null
    drv click Confirmare "&Da"
    wait_until 120 "the uninstall's steps have run" \
        eval "drv_try texts '$UNINSTALL_PAGE' | grep -q 'Datele firmei au ramas neatinse in:'"
    shot "the uninstall at its end: where the data stays" >/dev/null
    UNINSTALL_TEXTS=$(drv texts "$UNINSTALL_PAGE" | tr -d '\r')
    drv click "$UNINSTALL_PAGE" "I&esire"
    win_wait_exit uninstall 60
}
