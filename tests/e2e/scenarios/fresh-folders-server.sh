# The folders page of a SERVER: both rows, no note. Folders Windows cannot make keep the
# page open without a message and leave nothing behind: a data folder whose parent is
# missing, characters Windows refuses, a name longer than the system allows, a drive
# that does not exist, a parent that refuses new folders (read-only). Then a new data
# folder whose parent exists is created on C: with the proposed program folder.

source "$E2E_REPO/tests/e2e/fresh-pages.sh"
fresh_start
choose_kind "$ITEM_SERVER"
expect_state "$DIRS_PAGE" "&Continua" "visible enabled"
expect_state "$DIRS_PAGE" "C:\\WinTorv" "visible enabled"
texts=$(drv texts "$DIRS_PAGE")
expect_equal "$(grep -c -x 'C:\\WinTorv' <<<"$texts")" 2 "the program and data fields, both from the state"
! drv tree "$DIRS_PAGE" | grep -F 'Ati selectat o instalare de tip client.' | grep -q ' visible ' ||
    fail "the CLIENT's note is shown to a SERVER"
shot "the folders page of a SERVER" >/dev/null

# refused DATA-FOLDER WHAT: Continue with that data folder leaves the page open, with no
# box, and creates neither folder.
refused() {
    focus_field alt+d
    replace_text "$DIRS_PAGE" "$1"
    shot "typed: $2" >/dev/null
    drv click "$DIRS_PAGE" "&Continua"
    page_settled "$DIRS_PAGE"
    [[ $(drv list | wc -l) == 2 ]] || fail "a window besides the page and the backdrop after: $2"
    expect_no_file "$(cpath 'C:\WinTorv')"
    echo "refused as it should be: $2"
}
refused 'C:\Nu\Exista\Date' "a data folder whose parent is missing"
refused 'C:\Date<|>?' "characters Windows refuses"
refused "C:\\$(printf 'L%.0s' {1..300})" "a name of 300 characters"
refused 'Q:\Date' "a drive that does not exist"
mkdir -p "$(cpath 'C:\Blocat')"
if chattr +i "$(cpath 'C:\Blocat')" 2>/dev/null; then
    trap 'chattr -i "$(cpath "C:\\Blocat")" 2>/dev/null || true' EXIT
    refused 'C:\Blocat\Date' "a parent that refuses new folders"
    expect_no_file "$(cpath 'C:\Blocat\Date')"
    chattr -i "$(cpath 'C:\Blocat')"
else
    echo "note: this file system cannot make a folder read-only for root; that case was not tried"
fi
shot "the folders page after the refused folders" >/dev/null

focus_field alt+d
replace_text "$DIRS_PAGE" 'C:\TorvDate'
drv click "$DIRS_PAGE" "&Continua"
drv wait-gone "$DIRS_PAGE" 30
expect_dir "$(cpath 'C:\TorvDate')"
expect_dir "$(cpath 'C:\WinTorv')"
