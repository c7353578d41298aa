# A program that finds INSTTORV.DAT beside itself is the working copy: it runs the
# wizard at once, from where it stands, and copies nothing to TEMP.

install_engine 'TORVEX=C:\TORVDATA\DATA'
stage_media
printf 'D:\\ALTUNDEVA\\\r\n' >"$(cpath 'C:\MEDIA\INSTTORV.DAT')"
temp=$(win_temp_dir)

start_installer media
drv wait-window "Program incomplet!" 60 >/dev/null
expect_equal "$(drv owner "Program incomplet!")" INSTALL.EXE "the program showing the box"
expect_no_work_folder "$temp"
expect_bytes "$(cpath 'C:\MEDIA\INSTTORV.DAT')" 'D:\\ALTUNDEVA\\\r\n'
expect_file "$(cpath 'C:\MEDIA\UPGRADE.1')"

drv click "Program incomplet!" "&Renunt"
win_wait_exit media 30
drv wait-gone "Program incomplet!" 10
# Its folder is no working folder: nothing of it goes.
expect_bytes "$(cpath 'C:\MEDIA\INSTTORV.DAT')" 'D:\\ALTUNDEVA\\\r\n'
