# A page of the interface kit over the backdrop: Alt+M hides the backdrop and shows it
# again (the page stays in front), Alt+F4 does not close the page, and its Continue
# button ends it with Continue's result. Its gauge at 50% shows the whole percentage.

requires "$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE"
title="Pagina de proba"
win_start page "$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE" page
drv wait-window "$title" 30 >/dev/null
expect_contains "$(drv texts "$title")" "&Continua"

visible_windows() { drv list | wc -l; }
windows_are() { [[ $(visible_windows) == "$1" ]]; }
backdrop_pixel_is() { [[ $(screen_pixel 8 8) == "$1" ]]; }

wait_until 10 "the page and the backdrop are shown" windows_are 2
png=$(shot "page over the backdrop")
expect_equal "$(pixel "$png" 8 8)" 084A8C "the backdrop's colour in the top left corner"
# The gauge at 50%: the "%" beyond the end of the bar is drawn black on the white part.
dark=$(convert "$png" -crop 12x14+534+605 +repage -colorspace gray -threshold 30% -format "%[fx:int(w*h*(1-mean))]" info:)
(( dark > 0 )) || fail "the gauge's percentage vanishes over the unfilled part"

drv key "$title" alt+m
wait_until 10 "Alt+M has hidden the backdrop" windows_are 1
drv wait-window "$title" 0 >/dev/null
shot "Alt+M: the page alone" >/dev/null
drv key "$title" alt+m
wait_until 10 "Alt+M has shown the backdrop again" windows_are 2
wait_until 10 "the backdrop is painted again" backdrop_pixel_is 084A8C

# Alt+F4 first, then Alt+C (Continua's accelerator), in this order through the input
# queue: had Alt+F4 closed the page, it would not end with Continue's result 1.
drv key "$title" "alt+f4 alt+c"
win_wait_exit page 20
expect_equal "$WIN_EXIT_CODE" 1 "the page's result after Alt+F4 and Alt+C"
