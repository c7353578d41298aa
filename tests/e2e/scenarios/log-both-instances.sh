# "-log x" turns the run log on in both instances: C:\torvinst.log gets the media
# instance's session (begun, never ended) and then the working copy's, which the copy
# (started with "-log -log -log -log") ends when the wizard is over. Every line carries
# its time tag.

install_engine 'TORVEX=C:\TORVDATA\DATA'
stage_media
log=$(cpath 'C:\torvinst.log')

start_installer media -log x
drv wait-window "Program incomplet!" 60 >/dev/null
drv click "Program incomplet!" "&Renunt"
drv wait-process-gone INSTTORV.EXE 30
win_wait_exit media 30

expect_file "$log"
expect_count "$log" "Begin debug session: INSTALL - " 2
expect_count "$log" "End debug session: INSTALL - " 1
begins=$(grep -nF "Begin debug session: INSTALL" "$log" | cut -d: -f1 | tr '\n' ' ')
end=$(grep -nF "End debug session: INSTALL" "$log" | cut -d: -f1)
read -r first second <<<"$begins"
(( first < second && second < end )) ||
    fail "sessions out of order: begins on lines $begins, end on line $end"

# Each session opens with a line holding only the time tag; every line ends with one.
tag=' <TIMP [0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.[0-9]{3} > '$'\r''$'
expect_equal "$(grep -cE "^$tag" "$log")" 2 "lines holding only the time tag"
untagged=$(grep -cvE "$tag" "$log" || true)
expect_equal "$untagged" 0 "lines without a time tag and CR LF"
