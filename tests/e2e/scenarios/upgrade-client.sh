# A CLIENT upgrade: the alias's folder lies on N:, a drive Wine reports as a network
# drive. After the locate page the program asks whether to upgrade the server's
# database: answered No, the copy unpacks no data and the end page follows; started
# again and answered Yes, the data archives go to the server and the database page runs.
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

use_drive n "$E2E_WORK/server" network
stage_installation 'C:\WinTorv' 'N:\WINTORV'
stage_upgrade_media
question="UPGRADE baza de date SERVER ?"
locate=$E2E_LOCATE_TITLE
copy="Copiere fisiere Torvex"
server="$E2E_WORK/server/WINTORV"

# pass_locate_page: the search, then the folder accepted.
pass_locate_page() {
    drv wait-window "$locate" 60 >/dev/null
    drv click "$locate" "&Continua"
    wait_until 30 "the program folder found" locate_shows 'C:\WinTorv\'
    locate_shows "Am detectat o instalare client" || fail "the Date box does not tell a client installation"
    drv click "$locate" "&Continua"
}

start_installer media
pass_locate_page
drv wait-window "$question" 30 >/dev/null
shot "the CLIENT question" >/dev/null
expect_contains "$(drv texts "$question")" "Fac UPGRADE la baza de date de pe SERVER?"
drv click "$question" "&Nu"
drv wait-window "$copy" 30 >/dev/null
drv click "$copy" "&Continua"
drv wait-window "Finalizare" 60 >/dev/null
expect_bytes "$(cpath 'C:\WinTorv')/VANTIR.EXE" 'nou: vantir\r\n'
expect_no_file "$server/DATA/NOU.DB"
drv click "Finalizare" "I&esire"
drv wait-process-gone INSTTORV.EXE 30
win_wait_exit media 30

start_installer again
pass_locate_page
drv wait-window "$question" 30 >/dev/null
drv click "$question" "&Da"
drv wait-window "$copy" 30 >/dev/null
drv click "$copy" "&Continua"
drv wait-window "Actualizare baza de date" 60 >/dev/null
expect_bytes "$server/DATA/NOU.DB" 'nou: baza noua\r\n'
expect_bytes "$server/DATA/FIRMA.DB" 'vechi: firma\r\n'
drv click "Actualizare baza de date" "&Continua"
drv wait-window "Finalizare" 60 >/dev/null
drv click "Finalizare" "I&esire"
drv wait-process-gone INSTTORV.EXE 30
