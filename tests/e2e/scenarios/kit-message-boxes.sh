# The interface kit's message box as a real window: the title of each kind (given or by
# default), the heading, the buttons as controls with their captions, the default
# button on Enter, the cancel-key rules on Escape, and no closing by Alt+F4.
# Keys go through the input queue in order, so "escape enter" tells whether Escape
# was ignored (the default button's code) or answered (the cancel button's code).

requires "$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE"
kitdemo="$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE"

# box KIND TITLE KEYS EXPECTED-CODE [TEXT...]: shows the box, checks its texts, types.
box() {
    local kind=$1 title=$2 keys=$3 expected=$4
    shift 4
    win_start "$kind" "$kitdemo" box "$kind"
    drv wait-window "$title" 30 >/dev/null
    local texts text
    texts=$(drv texts "$title")
    for text in "$@"; do expect_contains "$texts" "$text"; done
    shot "message box: $kind" >/dev/null
    drv key "$title" "$keys"
    win_wait_exit "$kind" 20
    expect_equal "$WIN_EXIT_CODE" "$expected" "the answer to the $kind box after \"$keys\""
}

# O&K and Renunt with OK the default: Escape is nobody's, Enter is OK's.
box warning "Atentie !" "escape enter" 1 \
    "PENTRU CONTINUARE," "Introduceti discul 2 in unitatea A:" "O&K" "&Renunt"
# Da and Nu with Nu the default: no cancel button either.
box confirmation "UPGRADE baza de date SERVER ?" "escape enter" 7 \
    "Fac UPGRADE la baza de date de pe SERVER?" "&Da" "&Nu"
# O&K alone answers Escape; Alt+F4 before it closes nothing.
box information "Informatie..." "alt+f4 escape" 1 "Instalarea s-a terminat cu succes!" "O&K"
# A click on the kit's button.
win_start error "$kitdemo" box error
drv wait-window "Program incomplet!" 30 >/dev/null
drv click "Program incomplet!" "&Renunt"
win_wait_exit error 20
expect_equal "$WIN_EXIT_CODE" 2 "Renunt's code"
