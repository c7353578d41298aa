# A TEMP folder with blanks in its name: the copy is started by its whole path, never
# by a shorter one. C:\Temp.exe (the probe, which notes any start in C:\PROBE-RAN.TXT)
# lies in wait for an unquoted command line, which the system would try first
# ("C:\Temp" + ".exe").

use_temp 'C:\Temp cu blancuri'
e2e_restart_wine
cp "$E2E_PROBE" "$(cpath 'C:\Temp.exe')"
trap_record=$(cpath 'C:\PROBE-RAN.TXT')

# The trap is armed: an unquoted path with blanks does start it.
win_run "$E2E_PROBE" winexec 'C:\Temp cu blancuri\NIMIC.EXE'
wait_until 20 "an unquoted command line has started C:\\Temp.exe" test -f "$trap_record"
rm -f "$trap_record"

install_engine 'TORVEX=C:\TORVDATA\DATA'
stage_media
temp=$(win_temp_dir)
expect_equal "$temp" "$(cpath 'C:\Temp cu blancuri')" "the TEMP the program gets"

box_or_trap() { [[ -f $trap_record ]] || drv_try wait-window "Program incomplet!" 0 >/dev/null; }
start_installer media -log x
wait_until 60 "the copy shows its box (or the trap runs)" box_or_trap
[[ ! -f $trap_record ]] || fail "C:\\Temp.exe was started: $(cat "$trap_record")"
expect_equal "$(drv owner "Program incomplet!")" INSTTORV.EXE "the program showing the box"
work=$(work_folder "$temp")
expect_bytes "$work/INSTTORV.DAT" 'C:\\MEDIA\\\r\n'
expect_file "$work/INSTTORV.EXE"

drv click "Program incomplet!" "&Renunt"
drv wait-process-gone INSTTORV.EXE 30
# The copy got its "-log" arguments apart from its path: it ended its own session.
expect_count "$(cpath 'C:\torvinst.log')" "End debug session: INSTALL - " 1
expect_no_file "$trap_record"
