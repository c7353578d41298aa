# "-log -auto" and "-log -record" with nothing after them: the switch is the log's second
# argument, so the run log is on and the wizard runs (no end with code 2): the box of the
# missing upgrade library comes up, and both instances write their sessions.

install_engine 'TORVEX=C:\TORVDATA\DATA'
stage_media
log=$(cpath 'C:\torvinst.log')

for second in -auto -record; do
    rm -f "$log"
    start_installer "media$second" -log "$second"
    drv wait-window "Program incomplet!" 60 >/dev/null
    drv click "Program incomplet!" "&Renunt"
    drv wait-process-gone INSTTORV.EXE 30
    win_wait_exit "media$second" 30
    expect_equal "$WIN_EXIT_CODE" 0 "the media instance's exit code with -log $second"
    expect_count "$log" "Begin debug session: INSTALL - " 2
    expect_count "$log" "End debug session: INSTALL - " 1
done
