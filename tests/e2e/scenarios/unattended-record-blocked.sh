# An unattended LOCAL installation asked to record its answers into a folder that does
# not exist: the product is installed, the answers cannot be written, and the run still
# ends with 0 (not 5); the log says which file could not be written.

source "$E2E_REPO/tests/e2e/unattended.sh"

stage_cd
write_answers 'C:\deploy\local.ini' '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
run_unattended local 'D:\INSTALL.EXE' -auto 'C:\deploy\local.ini' -record 'C:\Nicaieri\raspunsuri.ini'
expect_exit 0 "an installation whose answers could not be recorded"
expect_contains "$(run_log)" 'Nu am putut scrie fisierul de raspunsuri: C:\Nicaieri\raspunsuri.ini'
expect_no_file "$(cpath 'C:\Nicaieri')"
expect_file "$(cpath 'C:\WinTorv')/TORVEX.EXE"
