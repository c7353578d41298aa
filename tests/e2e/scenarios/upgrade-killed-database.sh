# INSTTORV.EXE killed on the database upgrade page while the library works (the
# structures changed, the lists under way): the data had been copied aside first, so
# INSTALL.EXE started again puts the program and the data back byte for byte, notes it in
# the run log, and goes on as a normal start to the locate page.
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\WinTorv' 'C:\WinTorv'
stage_upgrade_media
program=$(cpath 'C:\WinTorv')
before=$(folder_listing "$program")
log=$(cpath 'C:\torvinst.log')
# The stand-in library takes its time, so that it can be killed in the middle.
export UPGRADE_DELAY_MS=1500

start_database_upgrade 'C:\WinTorv\'
wait_until 60 "the lists are being upgraded" grep -q -a "Actualizare liste: Lista conturi" "$log"
expect_bytes "$program/DATA/FIRMA.DB" 'vechi: firma\r\nactualizat: Verificare structuri\r\n'
expect_file "$(cpath 'C:\~TORVUPG')/DATE1.OK"
shot "the database page, the moment of the kill" >/dev/null
kill_working_copy
win_wait_exit media 30

unset UPGRADE_DELAY_MS
start_installer again -log x
drv wait-window "$E2E_LOCATE_TITLE" 60 >/dev/null
expect_equal "$(folder_listing "$program")" "$before" "program and data against before the upgrade"
expect_no_file "$(cpath 'C:\~TORVUPG')"
expect_contains "$(tr -d '\r' <"$log")" "iar datele au fost aduse inapoi din copia lor"
drv click "$E2E_LOCATE_TITLE" "&Abandon"
drv wait-process-gone INSTTORV.EXE 30
