# The install type page over the backdrop: nothing chosen and Continue disabled on the
# first visit, and Enter there does not abandon; each item chosen by a click enables it; Alt+M hides and shows the
# backdrop; Alt+F4, Escape and Enter on an item leave the page open; Alt+L and Alt+T
# pick LOCAL and CLIENT, Alt+C continues; Back (Alt+I) from the folders page shows the
# type page again with CLIENT chosen, and Abandon (Alt+A) ends the program.

source "$E2E_REPO/tests/e2e/fresh-pages.sh"
fresh_start
expect_state "$TYPE_PAGE" "&Continua" "visible disabled"
expect_state "$TYPE_PAGE" "&Abandon" "visible enabled"
# Enter on the first focus, the first kind: it neither abandons nor chooses.
drv key "$TYPE_PAGE" enter
page_settled "$TYPE_PAGE"
expect_state "$TYPE_PAGE" "&Continua" "visible disabled"
read -r _ _ width height <<<"$(drv rect "$TYPE_PAGE")"
read -r left top _ _ <<<"$(drv rect "$TYPE_PAGE")"
expect_equal "$left" $(( (1024 - width) / 2 )) "the page's left edge"
expect_equal "$top" $(( ((768 - height) / 9) * 8 )) "the page's top edge"
shot "the type page over the backdrop, nothing chosen" >/dev/null

for item in "$ITEM_LOCAL" "$ITEM_SERVER" "$ITEM_CLIENT"; do
    drv click "$TYPE_PAGE" "$item"
    expect_state "$TYPE_PAGE" "&Continua" "visible enabled"
    shot "chosen: ${item//&/}" >/dev/null
done

windows_are() { [[ $(drv list | wc -l) == "$1" ]]; }
wait_until 10 "the page and the backdrop are shown" windows_are 2
drv key "$TYPE_PAGE" alt+m
wait_until 10 "Alt+M has hidden the backdrop" windows_are 1
shot "Alt+M: the type page alone" >/dev/null
drv key "$TYPE_PAGE" alt+m
wait_until 10 "Alt+M has shown the backdrop again" windows_are 2
drv wait-window "$TYPE_PAGE" 0 >/dev/null

drv key "$TYPE_PAGE" "alt+f4 escape enter"
drv wait-window "$TYPE_PAGE" 0 >/dev/null
drv key "$TYPE_PAGE" "alt+l alt+t alt+c"
drv wait-window "$DIRS_PAGE" 30 >/dev/null
expect_state "$DIRS_PAGE" "&Continua" "visible disabled"   # a CLIENT's data folder is still empty
drv key "$DIRS_PAGE" alt+i
drv wait-window "$TYPE_PAGE" 30 >/dev/null
expect_state "$TYPE_PAGE" "&Continua" "visible enabled"
shot "back on the type page: CLIENT still chosen" >/dev/null
drv key "$TYPE_PAGE" alt+a
drv wait-process-gone INSTTORV.EXE 30
