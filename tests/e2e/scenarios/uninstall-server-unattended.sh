# A SERVER installation taken back without questions while TORVEX.EXE runs, then again
# once it has ended. DEZINST.EXE -uninstall -auto removes all it can, names the file in
# use in the run log and ends with 3; the product stays listed, with a record of what is
# left. The second run ends with 0, and only once it has ended: by then the program
# folder, its own file included, is gone, the machine is the one from before the
# installation, and the data folder is byte for byte as the installation left it.

source "$E2E_REPO/tests/e2e/uninstall.sh"

stage_cd
before=$(machine_snapshot)
install_unattended server '[Instalare]' 'Tip=SERVER' 'Program=C:\WinTorv' 'Date=C:\TorvDate'
data() { (cd "$(cpath 'C:\TorvDate')" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum); }
data_installed=$(data)

report="$E2E_WORK/lock.txt"
win_start holder "$E2E_PROBE" lock 'C:\WinTorv\TORVEX.EXE' "$(winpath "$report")"
wait_until 30 "TORVEX.EXE locked" grep -q locked "$report"
uninstall_unattended first
expect_exit 3 "an uninstall with TORVEX.EXE in use"
expect_contains "$(run_log)" 'Nu am putut sterge C:\WinTorv\TORVEX.EXE (in uz)'
expect_contains "$(listed_programs)" WinTORVEX
expect_equal "$(tr -d '\r' <"$(cpath 'C:\WinTorv')/DEZINST.INI" | sed -n '/^\[Fisiere\]/,/^$/p' | grep -c '=')" 1 \
    "the files the record still lists"
: >"$report.release"
wait_until 30 "TORVEX.EXE let go" grep -q released "$report"

uninstall_unattended second
expect_exit 0 "the uninstall once TORVEX.EXE has ended"
expect_no_file "$(cpath 'C:\WinTorv')"
expect_equal "$(data)" "$data_installed" "the data folder"
expect_equal "$(machine_snapshot | without_lines '^(folder|[0-9a-f]{32}) \./TorvDate(/|$)')" "$before" "the machine"
[[ $(listed_programs) != *WinTORVEX* ]] || fail "WinTORVEX is still listed"
