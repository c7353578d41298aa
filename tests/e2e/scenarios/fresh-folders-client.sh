# The folders page of a CLIENT: the note shown, the data field empty and Continue
# disabled until the field changes. A data folder that does not exist brings the box
# "La instalarea client baza de date trebuie sa existe!" titled "Eroare!" and the page
# stays, with no folder made; the server's existing folder is taken, and the proposed
# program folder is created.

source "$E2E_REPO/tests/e2e/fresh-pages.sh"
mkdir -p "$(cpath 'C:\Server\Baza')"
fresh_start
choose_kind "$ITEM_CLIENT"
expect_state "$DIRS_PAGE" "&Continua" "visible disabled"
drv tree "$DIRS_PAGE" | grep -F 'Ati selectat o instalare de tip client.' | grep -q ' visible ' ||
    fail "the CLIENT's note is not shown"
expect_contains "$(drv texts "$DIRS_PAGE")" '"Map '
shot "the folders page of a CLIENT" >/dev/null

focus_field alt+d
replace_text "$DIRS_PAGE" 'C:\Nicaieri'
expect_state "$DIRS_PAGE" "&Continua" "visible enabled"
drv click "$DIRS_PAGE" "&Continua"
drv wait-window "Eroare!" 30 >/dev/null
expect_contains "$(drv texts "Eroare!")" "La instalarea client baza de date trebuie sa existe!"
shot "the CLIENT's data folder does not exist" >/dev/null
drv click "Eroare!" "&Renunt"
drv wait-gone "Eroare!" 30
drv wait-window "$DIRS_PAGE" 0 >/dev/null
expect_no_file "$(cpath 'C:\WinTorv')"
expect_no_file "$(cpath 'C:\Nicaieri')"

focus_field alt+d
replace_text "$DIRS_PAGE" 'C:\Server\Baza'
drv click "$DIRS_PAGE" "&Continua"
drv wait-gone "$DIRS_PAGE" 30
expect_dir "$(cpath 'C:\WinTorv')"
