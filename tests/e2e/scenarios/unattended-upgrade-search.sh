# An unattended upgrade that finds the installation as a person's run does: the answers
# give no folder, so the first Continue on the locate page searches and the second
# accepts what it found. All three database steps run; the run ends with exit code 0.

source "$E2E_REPO/tests/e2e/unattended.sh"
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\WinTorv' 'C:\WinTorv'
stage_upgrade_media
write_answers 'C:\deploy\upgrade.ini' '[Actualizare]' 'Structuri=1' 'Liste=1' 'Constante=1'

run_unattended upgrade 'C:\MEDIA\INSTALL.EXE' -auto 'C:\deploy\upgrade.ini'
expect_exit 0 "the unattended upgrade found by the search"
program=$(cpath 'C:\WinTorv')
expect_equal "$(head -c ${#E2E_NEW_PROGRAM} "$program/TORVEX.EXE")" "$E2E_NEW_PROGRAM" "TORVEX.EXE replaced"
expect_bytes "$program/NEW/DATA/X.DB" 'nou: martor\r\n'
expect_equal "$(upgrade_journal | grep -c 'GetSemaforOK 1')" 3 "database steps that succeeded"

