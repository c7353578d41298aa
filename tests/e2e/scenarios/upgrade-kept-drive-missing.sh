# A CLIENT that answered Da upgrades the server's data on N:, and INSTTORV.EXE is killed
# once the data files there are replaced (the damaged DBNEW archive's error box on the
# screen). At the next start N: is not connected: the box names the drive, the journal
# and its registry value stay. At the start after, with N: back, the server's data is
# restored byte for byte and the journal is gone.
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

server="$E2E_WORK/server"
use_drive n "$server" network
stage_installation 'C:\WinTorv' 'N:\WINTORV'
stage_upgrade_media
damage_first_member "$(cpath 'C:\MEDIA')/DBNEW.1"
program=$(cpath 'C:\WinTorv')
before_program=$(folder_listing "$program")
before_data=$(folder_listing "$server/WINTORV")
question="UPGRADE baza de date SERVER ?"
recovery="Actualizare intrerupta"

start_installer media -log x
drv wait-window "$E2E_LOCATE_TITLE" 60 >/dev/null
drv click "$E2E_LOCATE_TITLE" "&Continua"
wait_until 60 "the program folder found" locate_shows 'C:\WinTorv\'
drv click "$E2E_LOCATE_TITLE" "&Continua"
drv wait-window "$question" 30 >/dev/null
drv click "$question" "&Da"
drv wait-window "$E2E_UPGRADE_COPY_TITLE" 30 >/dev/null
drv click "$E2E_UPGRADE_COPY_TITLE" "&Continua"
drv wait-window "EROARE !" 120 >/dev/null
expect_contains "$(drv texts "EROARE !")" "DBNEW.ZIP"
expect_bytes "$server/WINTORV/NEW/DATA/X.DB" 'nou: martor\r\n'
[[ -d "$server/~TORVUPG" ]] || fail "no kept files on the server"
kill_working_copy
win_wait_exit media 30

# The server's share is not connected at the next start.
rm -f "$WINEPREFIX/dosdevices/n:"
e2e_restart_wine
start_installer without-n -log x
drv wait-window "$recovery" 60 >/dev/null
shot "the recovery names the drive that is not there" >/dev/null
expect_contains "$(drv texts "$recovery")" "(discul N: nu este disponibil)"
drv click "$recovery" "O&K"
drv wait-gone "$recovery" 15
# Only the working copy looks for an interrupted upgrade: one box, one note in the log.
if drv_try wait-window "$recovery" 20 >/dev/null; then fail "a second \"$recovery\" box"; fi
pid=$(machine_pid 'INSTTORV\.EXE')
if [[ -n $pid ]]; then kill -KILL "$pid"; drv wait-process-gone INSTTORV.EXE 30; fi
win_wait_exit without-n 30
expect_equal "$(folder_listing "$program")" "$before_program" "the program folder, on the drive that is there"
[[ -d "$server/~TORVUPG" ]] || fail "no kept files on the server"
expect_equal "$(reg_value 'HKLM\Software\WinTORVEX\Setup' UpgradeJournal)" 'C:\~TORVUPG\JURNAL.TXT' "the journal's value"
expect_count "$(cpath 'C:\torvinst.log')" "ramane pentru urmatoarea pornire" 1

# Connected again: the start after puts the server's data back.
insert_disk n "$server"
e2e_restart_wine
start_installer with-n -log x
drv wait-window "$E2E_LOCATE_TITLE" 60 >/dev/null
expect_equal "$(folder_listing "$server/WINTORV")" "$before_data" "the server's data against before the copy"
expect_equal "$(folder_listing "$program")" "$before_program" "the program folder against before the copy"
expect_no_file "$server/~TORVUPG"
expect_no_file "$(cpath 'C:\~TORVUPG')"
drv click "$E2E_LOCATE_TITLE" "&Abandon"
drv wait-process-gone INSTTORV.EXE 30
