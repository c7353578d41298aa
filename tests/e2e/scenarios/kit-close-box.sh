# A press on the close box of the window frame closes neither a page nor a message box:
# both end only through their buttons.

requires "$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE"
kitdemo="$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE"

# press_close_box TITLE: a real mouse press on the close box at the frame's top right.
press_close_box() {
    local left top width height
    read -r left top width height <<<"$(drv rect "$1")"
    xdotool mousemove $((left + width - 12)) $((top + 10)) click 1
}

# still_open TITLE: the window is there two seconds after the press.
still_open() {
    if drv_try wait-gone "$1" 2 >/dev/null; then
        fail "the close box closed \"$1\""
    fi
}

win_start page "$kitdemo" page
drv wait-window "Pagina de proba" 30 >/dev/null
press_close_box "Pagina de proba"
still_open "Pagina de proba"
shot "a page after a press on its close box" >/dev/null
drv click "Pagina de proba" "&Continua"
win_wait_exit page 20
expect_equal "$WIN_EXIT_CODE" 1 "the page's result, from its Continue button"

win_start error "$kitdemo" box error
drv wait-window "Program incomplet!" 30 >/dev/null
press_close_box "Program incomplet!"
still_open "Program incomplet!"
drv click "Program incomplet!" "&Renunt"
win_wait_exit error 20
expect_equal "$WIN_EXIT_CODE" 2 "the box's result, from its Renunt button"
