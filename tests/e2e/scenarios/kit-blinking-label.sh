# A formatted label with two blinking segments blinks both of them under Wine: among the
# photographs of the label taken while it runs, one shows both segments and one shows
# neither (with one segment alone blinking the second never disappears).

requires "$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE"
win_start blink "$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE" blink
drv wait-window "Clipire" 30 >/dev/null

# The label "WWWW - WWWW" in red on white: its first and its last third are the two
# blinking segments.
read -r x y w h < <(drv tree "Clipire" | grep '"WWWW - WWWW"' | awk '{ split($3, at, ","); split($4, size, "x"); print at[1], at[2], size[1], size[2] }')
[[ -n $h ]] || fail "no label \"WWWW - WWWW\" in the window"
third=$((w / 3))

# shows PNG X: whether the third of the label starting at X has red in it.
shows() {
    local mean
    mean=$(convert "$1" -crop "${third}x${h}+$2+${y}" +repage -fuzz 30% -fill white +opaque red -format '%[fx:mean]' info:)
    awk -v m="$mean" 'BEGIN { exit !(m < 0.99) }'
}

seen_both=0 seen_none=0 n=0
# one_state: photographs the label once and notes what it showed.
one_state() {
    n=$((n + 1))
    local png="$E2E_WORK/blink-$n.png" left=0 right=0
    capture "$png"
    shows "$png" "$x" && left=1
    shows "$png" $((x + w - third)) && right=1
    if (( left && right && !seen_both )); then
        seen_both=1
        cp "$png" "$E2E_SHOTS/$E2E_SCENARIO-shown.png"
        printf '%s\t%s\n' "$E2E_SCENARIO-shown.png" "both blinking segments shown" >>"$E2E_SHOTS/index.txt"
    fi
    if (( !left && !right && !seen_none )); then
        seen_none=1
        cp "$png" "$E2E_SHOTS/$E2E_SCENARIO-hidden.png"
        printf '%s\t%s\n' "$E2E_SCENARIO-hidden.png" "both blinking segments hidden" >>"$E2E_SHOTS/index.txt"
    fi
    (( seen_both && seen_none ))
}
wait_until 30 "the label was seen with both blinking segments shown and with both hidden" one_state

drv key "Clipire" alt+f4
win_wait_exit blink 20
