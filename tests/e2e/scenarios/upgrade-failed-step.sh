# A database step that fails: the stand-in library's lists fail after rewriting
# DATA\LISTE.DB, the structures having appended to DATA\FIRMA.DB. After the rows, a box
# names the failed step and asks whether to go back to the old version. "Da" puts the
# program and the data back byte for byte, and the end page says the upgrade was not
# made. The same upgrade again, answered "Nu": the new version stays on the data as the
# library left it, and the box and the run log name the copy of the data as it was,
# which stays in C:\~TORVUPG.
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\WinTorv' 'C:\WinTorv'
stage_upgrade_media
program=$(cpath 'C:\WinTorv')
kept=$(cpath 'C:\~TORVUPG')
before=$(folder_listing "$program")
export UPGRADE_FAIL=LIST
question=$E2E_FAILED_STEP_TITLE
log() { tr -d '\r' <"$(cpath 'C:\torvinst.log')"; }

start_database_upgrade 'C:\WinTorv\'
drv wait-window "$question" 60 >/dev/null
texts=$(drv texts "$question")
expect_contains "$texts" "Actualizare liste"
expect_contains "$texts" 'C:\~TORVUPG\DATE1'
expect_bytes "$program/DATA/LISTE.DB" 'actualizat: Actualizare liste\r\n'
shot "the failed step's question" >/dev/null
drv click "$question" "&Da"
drv wait-window "Finalizare" 60 >/dev/null
expect_contains "$(drv texts "Finalizare")" "Actualizarea nu s-a facut."
shot "the end page after going back" >/dev/null
drv click "Finalizare" "I&esire"
drv wait-process-gone INSTTORV.EXE 30
expect_equal "$(folder_listing "$program")" "$before" "program and data against before the upgrade"
expect_no_file "$kept"
expect_contains "$(log)" "Programul si datele au revenit la versiunea anterioara actualizarii."
win_wait_exit media 30

start_database_upgrade 'C:\WinTorv\' again
drv wait-window "$question" 60 >/dev/null
drv click "$question" "&Nu"
drv wait-window "Finalizare" 60 >/dev/null
expect_contains "$(drv texts "Finalizare")" "Instalarea s-a terminat cu succes!"
drv click "Finalizare" "I&esire"
drv wait-process-gone INSTTORV.EXE 30
expect_equal "$(head -c ${#E2E_NEW_PROGRAM} "$program/TORVEX.EXE")" "$E2E_NEW_PROGRAM" "TORVEX.EXE replaced"
expect_bytes "$program/DATA/FIRMA.DB" 'vechi: firma\r\nactualizat: Verificare structuri\r\n'
expect_bytes "$program/DATA/LISTE.DB" 'actualizat: Actualizare liste\r\n'
expect_bytes "$program/DATA/CONST.DB" 'actualizat: Actualizare constante\r\n'
# The copy holds the data as the upgrade copy left it, before the library changed it.
expect_bytes "$kept/DATE1/FIRMA.DB" 'vechi: firma\r\n'
expect_bytes "$kept/DATE1/LISTE.DB" 'vechi: liste\r\n'
expect_bytes "$kept/DATE1/NOU.DB" 'nou: baza noua\r\n'
expect_no_file "$kept/DATE1/CONST.DB"
expect_no_file "$kept/JURNAL.TXT"
expect_contains "$(log)" 'Ramane versiunea noua, cu datele lasate de actualizare; copia datelor de dinainte este in C:\~TORVUPG\DATE1'
