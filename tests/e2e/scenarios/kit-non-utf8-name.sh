# A name that is not UTF-8 (the byte 0xFE, as a DOS-era program stored it) is read in the
# system's code page wherever the kit shows it: the label's window text holds the letter,
# and the label draws exactly as the same name given in UTF-8, not as a replacement mark.

requires "$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE"
win_start name "$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE" name
drv wait-window "Nume vechi" 30 >/dev/null
tree=$(drv tree "Nume vechi")
expect_equal "$(grep -c '"Situaþie"' <<<"$tree")" 2 "labels whose window text is the name read in code page 1252"
png=$(shot "a name that is not UTF-8 above the same name in UTF-8")
# crop N: the Nth label of the window, as drawn on the screen.
crop() {
    local x y w h
    read -r x y w h < <(grep '"Situaþie"' <<<"$tree" | sed -n "$1p" | awk '{ split($3, at, ","); split($4, size, "x"); print at[1], at[2], size[1], size[2] }')
    convert "$png" -crop "${w}x${h}+${x}+${y}" +repage "$E2E_WORK/label-$1.png"
}
crop 1
crop 2
differing=$(compare -metric AE "$E2E_WORK/label-1.png" "$E2E_WORK/label-2.png" null: 2>&1 || true)
expect_equal "$differing" 0 "pixels that differ between the two labels"
ink=$(convert "$E2E_WORK/label-1.png" -format '%[fx:mean]' info:)
awk -v m="$ink" 'BEGIN { exit !(m < 0.95) }' || fail "the label drew nothing (mean $ink)"
drv key "Nume vechi" alt+f4
win_wait_exit name 20
