# A LOCAL installation taken back by the media's own INSTALL.EXE -uninstall -auto, started
# from the CD: there is no record beside it, so it finds the installation through the
# system's list of programs, removes it and ends with 0, the data left as installed.
# A machine with nothing installed gets a plain answer instead: the uninstall starts
# from the program folder, and the code says nothing was found.

source "$E2E_REPO/tests/e2e/uninstall.sh"

stage_cd
run_unattended nothing 'D:\INSTALL.EXE' -uninstall -auto
expect_exit 5 "an uninstall from the media with nothing installed"
expect_contains "$(run_log)" 'Cod de iesire 5'

install_unattended local '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
data() { (cd "$(cpath 'C:\WinTorv\DATA')" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum); }
data_installed=$(data)
[[ -n $data_installed ]] || fail "the installation made no data"
run_unattended media 'D:\INSTALL.EXE' -uninstall -auto
expect_exit 0 "the uninstall from the media"
expect_no_file "$(cpath 'C:\WinTorv\TORVEX.EXE')"
expect_no_file "$(cpath 'C:\WinTorv\DEZINST.EXE')"
expect_equal "$(data)" "$data_installed" "the data folder"
[[ $(listed_programs) != *WinTORVEX* ]] || fail "WinTORVEX is still listed"
