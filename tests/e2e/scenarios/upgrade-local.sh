# An upgrade of a LOCAL installation in C:\WinTorv: the alias TORVEX leads the program
# to the upgrade path; the locate page finds the program folder at C:\WinTorv\; the
# upgrade copy replaces program files but IDAPI32.CFG, adds data files and replaces them
# only under NEW, with its notes in the run log; the database page calls the stand-in
# library's operations in order; the end page closes the program. On the way, the folder
# dialog opened from the locate page starts at the folder found.
# tags: shipped
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\WinTorv' 'C:\WinTorv'
stage_upgrade_media
program=$(cpath 'C:\WinTorv')

# The stand-in library takes its time, so that the database page can be seen at work.
export UPGRADE_DELAY_MS=600
start_installer media -log x
locate=$E2E_LOCATE_TITLE
drv wait-window "$locate" 60 >/dev/null
shot "locate page before the search" >/dev/null
drv click "$locate" "&Continua"
wait_until 30 "the program folder found" locate_shows 'C:\WinTorv\'
texts=$(drv texts "$locate")
expect_contains "$texts" "Confirmati corectitudinea directorului program"
expect_contains "$texts" 'C:\WinTorv'
shot "locate page: the program folder found" >/dev/null
# The folder dialog opens at the folder found; OK keeps it.
drv click "$locate" "Cauta..."
drv wait-window "Alegeti calea!" 30 >/dev/null
shot "folder dialog from the locate page" >/dev/null
drv click "Alegeti calea!" "O&K"
drv wait-gone "Alegeti calea!" 30
locate_shows 'C:\WinTorv\' || fail "the folder picked is not the one found"
drv click "$locate" "&Continua"

copy="Copiere fisiere Torvex"
drv wait-window "$copy" 30 >/dev/null
shot "upgrade copy page" >/dev/null
drv click "$copy" "&Continua"

database="Actualizare baza de date"
drv wait-window "$database" 120 >/dev/null
# The files as the replacement rule left them.
expect_equal "$(head -c ${#E2E_NEW_PROGRAM} "$program/TORVEX.EXE")" "$E2E_NEW_PROGRAM" "TORVEX.EXE replaced"
expect_bytes "$program/VANTIR.EXE" 'nou: vantir\r\n'
expect_bytes "$program/IDAPI32.CFG" 'vechi: motor\r\n'
expect_bytes "$program/DATA/FIRMA.DB" 'vechi: firma\r\n'
expect_bytes "$program/DATA/NOU.DB" 'nou: baza noua\r\n'
expect_bytes "$program/NEW/DATA/X.DB" 'nou: martor\r\n'
expect_bytes "$program/NEW/luna/l.db" 'nou: luna\r\n'
expect_bytes "$program/TORVEX.HLP" 'nou: help\r\n'
expect_no_file "$program/EXE.ZIP"
log=$(cpath 'C:\torvinst.log')
expect_contains "$(tr -d '\r' <"$log")" "Confirmare pentru: IDAPI32.CFG"
grep -A1 -a "Confirmare pentru: IDAPI32.CFG" "$log" | grep -q -a "NU!!!" || fail "IDAPI32.CFG was not refused in the log"
grep -A1 -a "Confirmare pentru: \\\\NEW\\\\DATA\\\\X.DB" "$log" | grep -q -a "Confirmat" ||
    fail "NEW\\DATA\\X.DB was not confirmed in the log"

shot "database upgrade page" >/dev/null
drv click "$database" "&Continua"
wait_until 30 "the lists are being upgraded" grep -q -a "Actualizare liste: Lista conturi" "$log"
shot "database upgrade at work: structures done, lists running" >/dev/null
drv wait-window "Finalizare" 60 >/dev/null
shot "end page after the upgrade" >/dev/null
expect_equal "$(upgrade_journal | grep -v GetAliasPath)" "UPGRADE.DLL SetReportProc
UPGRADE.DLL DoStructureUpgrade quick=0
UPGRADE.DLL GetSemaforOK 1
UPGRADE.DLL DoListUpgrade quick=0
UPGRADE.DLL GetSemaforOK 1
UPGRADE.DLL DoConstUpgrade quick=0
UPGRADE.DLL GetSemaforOK 1" "the library's journal"
expect_contains "$(tr -d '\r' <"$log")" "Actualizare constante: terminat"
drv click "Finalizare" "I&esire"
drv wait-process-gone INSTTORV.EXE 30
