# An upgrade while another program holds TORVEX.EXE open without sharing, as a running
# TORVEX.EXE holds itself: the upgrade copy names it in "Fisiere in uz" before it replaces
# anything; Renunt leaves the page open and the installation as it was; once the program
# lets go, Retry lets the copy run to the database page with TORVEX.EXE replaced; the
# old one stays kept until the database upgrade ends the upgrade.
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\WinTorv' 'C:\WinTorv'
stage_upgrade_media
program=$(cpath 'C:\WinTorv')
report="$E2E_WORK/lock.txt"
win_start holder "$E2E_PROBE" lock 'C:\WinTorv\TORVEX.EXE' "$(winpath "$report")"
wait_until 30 "TORVEX.EXE locked" grep -q locked "$report"

start_upgrade_copy 'C:\WinTorv\'
copy=$E2E_UPGRADE_COPY_TITLE

in_use="Fisiere in uz"
drv wait-window "$in_use" 120 >/dev/null
shot "the files in use box" >/dev/null
expect_contains "$(drv texts "$in_use")" 'C:\WinTorv\TORVEX.EXE'
drv click "$in_use" "&Renunt"
drv wait-gone "$in_use" 30
wait_until 30 "the page says the installation stayed" \
    eval 'drv_try texts "$copy" | grep -q "instalarea a ramas cum era"'
expect_equal "$(head -c ${#E2E_OLD_PROGRAM} "$program/TORVEX.EXE")" "$E2E_OLD_PROGRAM" "TORVEX.EXE kept"
expect_no_file "$program/EXE.ZIP"
expect_no_file "$(cpath 'C:\~TORVUPG')"

drv click "$copy" "&Continua"
drv wait-window "$in_use" 120 >/dev/null
: >"$report.release"
wait_until 30 "TORVEX.EXE let go" grep -q released "$report"
drv click "$in_use" "&Retry"
drv wait-window "Actualizare baza de date" 120 >/dev/null
expect_equal "$(head -c ${#E2E_NEW_PROGRAM} "$program/TORVEX.EXE")" "$E2E_NEW_PROGRAM" "TORVEX.EXE replaced"
expect_bytes "$program/IDAPI32.CFG" 'vechi: motor\r\n'
expect_file "$(cpath 'C:\~TORVUPG')/JURNAL.TXT"
drv click "Actualizare baza de date" "&Continua"
drv wait-window "Finalizare" 60 >/dev/null
expect_no_file "$(cpath 'C:\~TORVUPG')"
drv click "Finalizare" "I&esire"
drv wait-process-gone INSTTORV.EXE 30
