# An archive that another program holds open when the copy page deletes it: the page
# names it after "Nu pot sterge " in the system's plain box, and goes on to the
# configuration page with the product installed. The archive is held while the page
# waits for disk 2, after disk 1's piece made it.

source "$E2E_REPO/tests/e2e/copy-page.sh"

floppies_to_disk_request
report="$E2E_WORK/hold.txt"
win_start holder "$E2E_PROBE" hold 'C:\WinTorv\EXE.ZIP' 300 "$(winpath "$report")"
holding() { grep -q holding "$report" 2>/dev/null; }
wait_until 30 "EXE.ZIP held open" holding
for disk in 2 3; do
    wait_until 120 "the request for disk $disk" disk_requested "$disk"
    insert_floppy "$disk"
    drv click "Atentie !" "O&K"
done

drv wait-window INSTTORV 180 >/dev/null
shot "the plain box about the archive held open" >/dev/null
expect_contains "$(drv texts INSTTORV)" 'Nu pot sterge C:\WinTorv\EXE.ZIP'
drv click INSTTORV OK
drv wait-window "Configurare sistem" 60 >/dev/null
program=$(cpath 'C:\WinTorv')
cmp -s "$E2E_SAMPLE_MEDIA/product/EXE/TORVEX.EXE" "$program/TORVEX.EXE" || fail "TORVEX.EXE is not the product's"
expect_file "$program/EXE.ZIP"
expect_no_file "$program/HELP.ZIP"
