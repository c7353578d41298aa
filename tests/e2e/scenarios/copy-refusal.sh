# Renunt at the disk box ends the program: the archives joined from disk 1 stay in the
# program folder, nothing is unpacked.

source "$E2E_REPO/tests/e2e/copy-page.sh"

stage_floppies
start_from_drive floppies a
walk_to_copy_page
drv click "$COPY_PAGE" "&Continua"
drv wait-window "Atentie !" 120 >/dev/null
drv click "Atentie !" "&Renunt"
drv wait-process-gone INSTTORV.EXE 60
program=$(cpath 'C:\WinTorv')
expect_file "$program/EXE.ZIP"
cmp -s "$E2E_WORK/floppy/disk1/EXE.1" "$program/EXE.ZIP" || fail "EXE.ZIP is not the piece of disk 1"
expect_no_file "$program/TORVEX.EXE"
