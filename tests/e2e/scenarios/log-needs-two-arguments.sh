# A lone "-log" does not turn the run log on, in either instance: no C:\torvinst.log.

install_engine 'TORVEX=C:\TORVDATA\DATA'
stage_media

start_installer media -log
drv wait-window "Program incomplet!" 60 >/dev/null
drv click "Program incomplet!" "&Renunt"
drv wait-process-gone INSTTORV.EXE 30
win_wait_exit media 30
expect_no_file "$(cpath 'C:\torvinst.log')"
