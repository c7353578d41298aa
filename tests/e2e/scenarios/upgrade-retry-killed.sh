# Continue tried again on the upgrade copy page, and INSTTORV.EXE killed during that retry:
# the damaged DBNEW archive has made its folder NEW\LUNA both times, and the error box of
# the retry is on the screen. INSTALL.EXE started again puts the installation back as it
# was, with no folder of either try left behind.
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\WinTorv' 'C:\WinTorv'
stage_upgrade_media
program=$(cpath 'C:\WinTorv')
damage_first_member "$(cpath 'C:\MEDIA')/DBNEW.1"
before=$(folder_listing "$program")

start_upgrade_copy 'C:\WinTorv\'
drv wait-window "EROARE !" 120 >/dev/null
expect_contains "$(drv texts "EROARE !")" "DBNEW.ZIP"
drv click "EROARE !" "O&K"
drv wait-gone "EROARE !" 30
copy_failed() { drv_try texts "$E2E_UPGRADE_COPY_TITLE" | grep -q -F "nu a reusit"; }
wait_until 60 "the first try undone, the page open again" copy_failed
expect_equal "$(folder_listing "$program")" "$before" "the program folder after the first try"

drv click "$E2E_UPGRADE_COPY_TITLE" "&Continua"
drv wait-window "EROARE !" 120 >/dev/null
[[ -d "$program/NEW/luna" || -d "$program/NEW/LUNA" ]] || fail "the retry has not made NEW\\LUNA by its error box"
shot "the retry's error box, the moment of the kill" >/dev/null
kill_working_copy

start_installer again -log x
drv wait-window "$E2E_LOCATE_TITLE" 60 >/dev/null
expect_equal "$(folder_listing "$program")" "$before" "the program folder against before the copy"
expect_no_file "$(cpath 'C:\~TORVUPG')"
drv click "$E2E_LOCATE_TITLE" "&Abandon"
drv wait-process-gone INSTTORV.EXE 30
