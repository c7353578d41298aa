# The installer started from its media relaunches itself as INSTTORV.EXE from a folder of
# its own in %TEMP% (WinTORVEX- and 16 hexadecimal digits); the copy finds the alias
# TORVEX (an upgrade) but no UPGRADE.DLL in UPGRADE.1, says so in "Program incomplet!" and
# ends when the user presses Renunt, and its folder goes with it.

install_engine 'TORVEX=C:\TORVDATA\DATA'
stage_media
media=$(cpath 'C:\MEDIA')
temp=$(win_temp_dir)

start_installer media
drv wait-window "Program incomplet!" 60 >/dev/null
expect_equal "$(drv owner "Program incomplet!")" INSTTORV.EXE "the program showing the box"
win_wait_exit media 30   # the media instance ends right after starting its copy

# The working set, as the copy left it when the box came up, and the copy running from it.
work=$(work_folder "$temp")
cmp -s "$media/INSTALL.EXE" "$work/INSTTORV.EXE" || fail "INSTTORV.EXE is not a copy of INSTALL.EXE"
cmp -s "$media/INSTALL.CFG" "$work/INSTTORV.CFG" || fail "INSTTORV.CFG is not a copy of INSTALL.CFG"
expect_bytes "$work/INSTTORV.DAT" 'C:\\MEDIA\\\r\n'
expect_bytes "$work/README.TXT" 'WinTORVEX: fisierele de actualizare.\r\n'
expect_no_file "$work/UPGRADE.ZIP"
expect_no_file "$work/UPGRADE.DLL"
pid=$(machine_pid 'INSTTORV\.EXE') || fail "no process for INSTTORV.EXE"
expect_contains "$(tr '\0' ' ' <"/proc/$pid/cmdline")" "\\$(basename "$work")\\INSTTORV.EXE"

# The copy shows the box over its backdrop (RGB 8, 74, 140) and nothing else.
png=$(shot "Program incomplet!")
expect_equal "$(pixel "$png" 8 8)" 084A8C "the backdrop's colour in the top left corner"
windows=$(drv list)
expect_equal "$(wc -l <<<"$windows")" 2 "visible windows (the box and the backdrop): $windows"
texts=$(drv texts "Program incomplet!")
expect_contains "$texts" "Nu am putut incarca UPGRADE.DLL"
expect_contains "$texts" "&Renunt"

drv click "Program incomplet!" "&Renunt"
drv wait-gone "Program incomplet!" 15
drv wait-process-gone INSTTORV.EXE 30
expect_no_work_folder "$temp"
png=$(shot "after Renunt: nothing left")
[[ $(pixel "$png" 8 8) != 084A8C ]] || fail "the backdrop is still on the screen"
