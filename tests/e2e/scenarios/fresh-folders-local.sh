# The folders page of a LOCAL installation: only the program row. The folder dialog,
# opened from the browse button, lists the machine's drives (A: a floppy here, C:, Z:)
# and starts at the program's current folder; a drive chosen from the keyboard moves
# the folder list there, a folder is opened with Enter, and O&K puts it into the field
# with one trailing backslash. Opened by the label's accelerator, &Renunt changes
# nothing. The proposed folder typed back is created by Continue.

source "$E2E_REPO/tests/e2e/fresh-pages.sh"
floppy="$E2E_WORK/floppy"
mkdir -p "$floppy/KIT"
use_removable_drive a "$floppy"
fresh_start
choose_kind "$ITEM_LOCAL"
expect_state "$DIRS_PAGE" "&Continua" "visible enabled"
expect_equal "$(drv tree "$DIRS_PAGE" | grep -F '"Cauta..."' | grep -c ' visible ')" 1 "browse buttons shown"
expect_equal "$(drv tree "$DIRS_PAGE" | grep -c 'Edit .* visible ')" 1 "folder fields shown"
shot "the folders page of a LOCAL installation" >/dev/null

drv click "$DIRS_PAGE" "Cauta..."
drv wait-window "$DIR_DIALOG" 30 >/dev/null
expect_contains "$(drv texts "$DIR_DIALOG")" "c:"
drv key "$DIR_DIALOG" "alt+d alt+down"
shot "the folder dialog: the drive list open" >/dev/null
drv key "$DIR_DIALOG" "escape"
drv wait-window "$DIR_DIALOG" 0 >/dev/null
drv key "$DIR_DIALOG" "a"
drv key "$DIR_DIALOG" "alt+c down enter"
shot "the folder dialog on A:, KIT opened" >/dev/null
drv click "$DIR_DIALOG" "O&K"
drv wait-gone "$DIR_DIALOG" 30
expect_contains "$(drv texts "$DIRS_PAGE")" 'A:\KIT\'
shot "the folder picked on A:" >/dev/null

drv key "$DIRS_PAGE" alt+p
drv wait-window "$DIR_DIALOG" 30 >/dev/null
drv click "$DIR_DIALOG" "&Renunt"
drv wait-gone "$DIR_DIALOG" 30
expect_contains "$(drv texts "$DIRS_PAGE")" 'A:\KIT\'
replace_text "$DIRS_PAGE" 'C:\WinTorv'   # the focus stayed in the program field
drv click "$DIRS_PAGE" "&Continua"
drv wait-gone "$DIRS_PAGE" 30
expect_dir "$(cpath 'C:\WinTorv')"
