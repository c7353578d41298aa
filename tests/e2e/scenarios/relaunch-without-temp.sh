# With an empty TEMP the working copy goes to the Windows folder: INSTTORV.EXE,
# INSTTORV.CFG and INSTTORV.DAT in a folder of its own in C:\windows, and the copy runs
# from there. (Wine
# falls back to the machine's TEMP when the user's is missing, so it is made empty in
# both places.)

set_reg 'HKCU\Environment' TEMP ''
win_run reg delete 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v TEMP /f
e2e_restart_wine
win_output cmd /c set >"$E2E_WORK/environment.txt" || fail "cannot list the environment"
if grep -qi '^TEMP=' "$E2E_WORK/environment.txt"; then
    fail "TEMP is still set: $(grep -i '^TEMP=' "$E2E_WORK/environment.txt")"
fi

install_engine 'TORVEX=C:\TORVDATA\DATA'
stage_media
windows=$(cpath 'C:\windows')

start_installer media
drv wait-window "Program incomplet!" 60 >/dev/null
expect_equal "$(drv owner "Program incomplet!")" INSTTORV.EXE "the program showing the box"
work=$(work_folder "$windows")
cmp -s "$(cpath 'C:\MEDIA\INSTALL.EXE')" "$work/INSTTORV.EXE" || fail "no copy of INSTALL.EXE in C:\\windows"
expect_file "$work/INSTTORV.CFG"
expect_bytes "$work/INSTTORV.DAT" 'C:\\MEDIA\\\r\n'
expect_file "$work/README.TXT"
expect_no_file "$work/UPGRADE.ZIP"

drv click "Program incomplet!" "&Renunt"
drv wait-process-gone INSTTORV.EXE 30
expect_no_work_folder "$windows"
