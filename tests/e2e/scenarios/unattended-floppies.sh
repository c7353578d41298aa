# An unattended run from a floppy set cannot change disks: the request for disk 2 ends
# the run with exit code 6, its log naming the request, and the product is not installed.

source "$E2E_REPO/tests/e2e/unattended.sh"

stage_floppies
write_answers 'C:\deploy\local.ini' '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
run_unattended floppies 'A:\INSTALL.EXE' -auto 'C:\deploy\local.ini'
expect_exit 6 "an unattended run from floppies"
expect_contains "$(run_log)" "introdu discul de instalare cu numarul  2"
expect_no_file "$(cpath 'C:\WinTorv')/TORVEX.EXE"
