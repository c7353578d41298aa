# The driver on a system message box: waiting for it, reading its texts and owner,
# a screenshot identical to the X server's own picture, a click on OK that ends it.

win_start box "$E2E_PROBE" box
hwnd=$(drv wait-window Probe 30)
[[ $hwnd =~ ^0x[0-9a-f]+$ ]] || fail "wait-window printed \"$hwnd\", not a window handle"

texts=$(drv texts Probe)
expect_equal "$(head -1 <<<"$texts")" Probe "the window's own text comes first"
expect_contains "$texts" "Mesaj de probă: totul este în regulă."
expect_contains "$texts" OK
expect_equal "$(drv owner Probe)" PROBE.EXE

# The driver's bitmap must show exactly what X shows: same size, same pixels, rows in
# the right order and colours in the right places.
png=$(shot "message box Probe")
expect_equal "$(identify -format '%w x %h' "$png")" "1024 x 768"
import -display "$DISPLAY" -window root "$E2E_WORK/x-root.png"
differing=$(compare -metric AE "$png" "$E2E_WORK/x-root.png" null: 2>&1) || true
expect_equal "$differing" 0 "pixels that differ between the driver's screenshot and X's"
colours=$(identify -format '%k' "$png")
(( colours > 10 )) || fail "the screenshot has only $colours colours"

drv click Probe OK
win_wait_exit box 15
expect_equal "$WIN_EXIT_CODE" 1 "MessageBox result IDOK as exit code"
drv wait-gone Probe 10
