# INSTTORV.EXE killed in the middle of the upgrade copy (TORVEX.EXE already replaced, the
# damaged DBDAT archive's error box on the screen): INSTALL.EXE started again puts every
# file of the installation back as it was, notes it in the run log, and goes on as a
# normal start to the locate page.
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\WinTorv' 'C:\WinTorv'
stage_upgrade_media
program=$(cpath 'C:\WinTorv')
damage_first_member "$(cpath 'C:\MEDIA')/DBDAT.1"
before=$(folder_listing "$program")

start_upgrade_copy 'C:\WinTorv\'
drv wait-window "EROARE !" 120 >/dev/null
expect_contains "$(drv texts "EROARE !")" "DBDAT.ZIP"
expect_equal "$(head -c ${#E2E_NEW_PROGRAM} "$program/TORVEX.EXE")" "$E2E_NEW_PROGRAM" "TORVEX.EXE replaced by then"
expect_file "$(cpath 'C:\~TORVUPG')/JURNAL.TXT"
shot "the error box, the moment of the kill" >/dev/null
kill_working_copy

start_installer again -log x
drv wait-window "$E2E_LOCATE_TITLE" 60 >/dev/null
shot "the locate page after the recovery" >/dev/null
expect_equal "$(folder_listing "$program")" "$before" "the program folder against before the copy"
expect_no_file "$(cpath 'C:\~TORVUPG')"
expect_contains "$(tr -d '\r' <"$(cpath 'C:\torvinst.log')")" "Actualizare intrerupta: fisierele instalarii au fost refacute"
drv click "$E2E_LOCATE_TITLE" "&Abandon"
drv wait-process-gone INSTTORV.EXE 30
