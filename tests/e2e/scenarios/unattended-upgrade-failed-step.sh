# An unattended upgrade whose database step fails (the stand-in library's lists, after
# changing the data): nobody is asked, the old version comes back with its data byte for
# byte, the run log says so, and the run ends with exit code 4.
source "$E2E_REPO/tests/e2e/unattended.sh"
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\WinTorv' 'C:\WinTorv'
stage_upgrade_media
program=$(cpath 'C:\WinTorv')
before=$(folder_listing "$program")
write_answers 'C:\deploy\upgrade.ini' '[Actualizare]' 'Program=C:\WinTorv' 'Structuri=1' 'Liste=1' 'Constante=1'

export UPGRADE_FAIL=LIST
run_unattended upgrade 'C:\MEDIA\INSTALL.EXE' -auto 'C:\deploy\upgrade.ini'
expect_exit 4 "an unattended upgrade whose lists failed"
expect_equal "$(upgrade_journal | grep -c 'GetSemaforOK 0')" 1 "database steps that failed"
expect_equal "$(folder_listing "$program")" "$before" "program and data against before the upgrade"
expect_no_file "$(cpath 'C:\~TORVUPG')"
expect_contains "$(run_log)" "Operatii nereusite: Actualizare liste. Programul si datele au revenit la versiunea anterioara actualizarii."
