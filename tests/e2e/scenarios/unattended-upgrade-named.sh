# An unattended upgrade of the installation that the answers name: [Actualizare]
# Program=C:\Contab stands instead of the search, so an older copy of the product in
# C:\WinTorv, which the search would meet first, is left as it is. The database upgrade
# runs the steps the answers tick (structures and constants, not the lists), and the run
# ends with exit code 0. Answers that name a folder without the product end the run with
# exit code 5 before anything is copied.

source "$E2E_REPO/tests/e2e/unattended.sh"
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\Contab' 'C:\Contab'
decoy=$(cpath 'C:\WinTorv')
mkdir -p "$decoy"
printf 'alta copie\r\n' >"$decoy/TORVEX.EXE"
truncate -s 7000000 "$decoy/TORVEX.EXE"
before=$(folder_listing "$decoy")
stage_upgrade_media
write_answers 'C:\deploy\upgrade.ini' '[Actualizare]' 'Program=C:\Contab' 'Structuri=1' 'Liste=0' 'Constante=1'

run_unattended upgrade 'C:\MEDIA\INSTALL.EXE' -auto 'C:\deploy\upgrade.ini'
expect_exit 0 "the unattended upgrade"

program=$(cpath 'C:\Contab')
expect_equal "$(head -c ${#E2E_NEW_PROGRAM} "$program/TORVEX.EXE")" "$E2E_NEW_PROGRAM" "C:\\Contab\\TORVEX.EXE replaced"
expect_bytes "$program/IDAPI32.CFG" 'vechi: motor\r\n'
expect_bytes "$program/DATA/FIRMA.DB" 'vechi: firma\r\nactualizat: Verificare structuri\r\n'
expect_bytes "$program/DATA/LISTE.DB" 'vechi: liste\r\n'  # the lists were not chosen
expect_equal "$(folder_listing "$decoy")" "$before" "the other copy in C:\\WinTorv"
expect_equal "$(upgrade_journal | grep -v GetAliasPath)" "UPGRADE.DLL SetReportProc
UPGRADE.DLL DoStructureUpgrade quick=0
UPGRADE.DLL GetSemaforOK 1
UPGRADE.DLL DoConstUpgrade quick=0
UPGRADE.DLL GetSemaforOK 1" "the library's journal"

# A folder without the product: no installation to upgrade.
rm -f "$(cpath 'C:\torvinst.log')"
listing=$(folder_listing "$program")
write_answers 'C:\deploy\upgrade.ini' '[Actualizare]' 'Program=C:\Nicaieri' 'Structuri=1' 'Liste=1' 'Constante=1'
run_unattended again 'C:\MEDIA\INSTALL.EXE' -auto 'C:\deploy\upgrade.ini'
expect_exit 5 "an upgrade whose folder holds no installation"
expect_equal "$(folder_listing "$program")" "$listing" "C:\\Contab after the refused upgrade"
