# The driver on an ordinary window: UTF-8 titles and captions, captions with and
# without '&', a click on a label, keys with real Alt state, Alt+F4, and the driver's
# own failures (what is missing is reported, never waited for without end).

title='Fereastră de probă'
report=$E2E_WORK/report.txt

win_start first "$E2E_PROBE" window "$(winpath "$report")"
drv wait-window "$title" 30 >/dev/null
texts=$(drv texts "$title")
expect_contains "$texts" "&Renunță"
expect_contains "$texts" "Eticheta de proba"
shot "probe window" >/dev/null

drv click "$title" Da                   # caption without its '&'
drv wait-window "Probe Da" 10 >/dev/null
# Nothing can be clicked in a window that a modal box holds disabled.
status=0; drv_try click "$title" "&Renunță" 0.5 || status=$?
expect_equal "$status" 1 "a click in a window behind a modal box"
expect_contains "$(cat "$E2E_WORK/driver.err")" "is disabled"
drv click "Probe Da" OK
drv wait-gone "Probe Da" 10
drv click "$title" "Eticheta de proba"  # a static control: a mouse press and release
drv key "$title" "alt+m escape"
wait_until 10 "the probe has seen Escape" grep -q "^key escape" "$report"
drv click "$title" "&Renunță"
win_wait_exit first 15
expect_equal "$WIN_EXIT_CODE" 0
expect_bytes "$report" 'shown\r\nclick Da\r\nbox closed\r\nclick Eticheta\r\nkey alt+M\r\nkey escape\r\nclick Renunta\r\n'
drv wait-gone "$title" 10

rm -f "$report"
win_start second "$E2E_PROBE" window "$(winpath "$report")"
drv wait-window "$title" 30 >/dev/null
drv key "$title" alt+f4
win_wait_exit second 15
expect_bytes "$report" 'shown\r\nkey alt+f4\r\nclose\r\n'

# Failures come back as status 1 (not found) or 2 (not understood), with a message.
status=0; drv_try wait-window "Nu exista" 0.5 || status=$?
expect_equal "$status" 1 "wait-window for a missing window"
expect_contains "$(cat "$E2E_WORK/driver.err")" 'no visible window titled "Nu exista"'
status=0; drv_try click Probe "&Nimic" 0.5 || status=$?
expect_equal "$status" 1 "click in a missing window"
status=0; drv_try key Probe "alt+" || status=$?
expect_equal "$status" 2 "keys that are not understood"
status=0; drv_try wait-process-gone PROBE.EXE 5 || status=$?
expect_equal "$status" 0 "no probe left running"
