# When the working set cannot be copied the media instance says which file failed, in
# an error box, leaves no working folder and does not start the copy: first a media
# folder without INSTALL.CFG, then a TEMP folder that does not exist.

install_engine 'TORVEX=C:\TORVDATA\DATA'
stage_media
temp=$(win_temp_dir)
rm "$(cpath 'C:\MEDIA\INSTALL.CFG')"

start_installer missing-cfg
drv wait-window "EROARE !" 60 >/dev/null
expect_equal "$(drv owner "EROARE !")" INSTALL.EXE "the program showing the box"
expect_contains "$(drv texts "EROARE !")" 'C:\MEDIA\INSTALL.CFG'
shot "a file of the set is missing" >/dev/null
drv click "EROARE !" "&Renunt"
win_wait_exit missing-cfg 30
if drv_try wait-process INSTTORV.EXE 0; then fail "the copy was started without its set"; fi
expect_no_work_folder "$temp"

stage_media
use_temp 'C:\TEMPFOLDER'
rmdir "$(cpath 'C:\TEMPFOLDER')"
e2e_restart_wine

start_installer no-temp-folder
drv wait-window "EROARE !" 60 >/dev/null
expect_contains "$(drv texts "EROARE !")" 'C:\TEMPFOLDER\WinTORVEX-'
drv click "EROARE !" "&Renunt"
win_wait_exit no-temp-folder 30
if drv_try wait-process INSTTORV.EXE 0; then fail "the copy was started without its set"; fi
expect_no_file "$(cpath 'C:\TEMPFOLDER')"
