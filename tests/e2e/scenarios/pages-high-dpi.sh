# At 150 % (144 DPI) the program lays out its own pages: a LOCAL installation from the
# sample CD walked through every page (the folder dialog too), then its uninstall
# through its page and its question, with a picture of each. Places and sizes are half
# as many pixels again as units: the page's title bar 637 x 25 units, the box's buttons
# 100 x 28. At 125 % (120 DPI), on a second machine, the same walk.

source "$E2E_REPO/tests/e2e/uninstall.sh"
source "$E2E_REPO/tests/e2e/config-page.sh"

# pixels UNITS: the pixels that UNITS cover at $dpi, rounded as the program rounds.
pixels() { printf '%s\n' $(( ($1 * dpi + 48) / 96 )); }

# child_size TITLE TEXT: "WIDTH HEIGHT" of the window's first descendant with this text.
child_size() {
    drv tree "$1" | awk -v t="\"$2\"" 'index($0, t) == length($0) - length(t) + 1 { sub("x", " ", $4); print $4; exit }'
}

# group_windows: how many folder windows of the group WinTORVEX are open.
group_windows() { drv_try list | grep -c 'ExplorerWClass "WinTORVEX"$' || true; }

# on TITLE CAPTION NEXT SECONDS: the button or label pressed, then a picture of NEXT.
on() { drv click "$1" "$2" && drv wait-window "$3" "$4" >/dev/null && shot "$dpi dpi: $3" >/dev/null; }

walk_at() {
    dpi=$1
    use_dpi "$dpi"
    stage_cd
    start_from_drive "cd-$dpi" d
    drv wait-window "$TYPE_PAGE" 60 >/dev/null
    shot "$dpi dpi: $TYPE_PAGE" >/dev/null
    expect_equal "$(child_size "$TYPE_PAGE" "$TYPE_PAGE")" "$(pixels 637) $(pixels 25)" "the title bar at $dpi dpi"
    drv click "$TYPE_PAGE" "$ITEM_LOCAL"
    on "$TYPE_PAGE" "&Continua" "$DIRS_PAGE" 30
    on "$DIRS_PAGE" "&Program:" "$DIR_DIALOG" 30
    drv click "$DIR_DIALOG" "&Renunt"
    drv wait-gone "$DIR_DIALOG" 30
    on "$DIRS_PAGE" "&Continua" "$COPY_PAGE" 30
    on "$COPY_PAGE" "&Continua" "$CONFIG_PAGE" 180
    on "$CONFIG_PAGE" "&Continua" "$END_PAGE" 120
    drv key "$END_PAGE" enter
    drv wait-process-gone INSTTORV.EXE 30
    # Wine's shell opens the group's folder for [CreateGroup] and again for [ShowGroup],
    # each window from an explorer of its own as it gets to it: both are waited for, then
    # closed one at a time.
    wait_until 30 "the group's two windows" eval '(( $(group_windows) == 2 ))'
    for left in 1 0; do
        drv key WinTORVEX alt+f4
        wait_until 30 "$left of the group's windows left" eval "(( \$(group_windows) == $left ))"
    done

    win_start "uninstall-$dpi" "$UNINSTALLER" -uninstall
    drv wait-window "$UNINSTALL_PAGE" 60 >/dev/null
    shot "$dpi dpi: $UNINSTALL_PAGE" >/dev/null
    on "$UNINSTALL_PAGE" "&Continua" Confirmare 30
    expect_equal "$(child_size Confirmare "&Da")" "$(pixels 100) $(pixels 28)" "the box's button at $dpi dpi"
    drv click Confirmare "&Da"
    wait_until 120 "the uninstall's steps have run" \
        eval "drv_try texts '$UNINSTALL_PAGE' | grep -q 'Datele firmei au ramas neatinse in:'"
    shot "$dpi dpi: the uninstall at its end" >/dev/null
    drv click "$UNINSTALL_PAGE" "I&esire"
    win_wait_exit "uninstall-$dpi" 60
    expect_equal "$WIN_EXIT_CODE" 0 "the uninstall's exit code at $dpi dpi"
}

walk_at 144
use_another_machine dpi120
walk_at 120
