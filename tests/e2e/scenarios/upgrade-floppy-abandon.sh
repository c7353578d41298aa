# An upgrade from two floppies, abandoned at the request for disk 2 (Renunt), after the
# pieces of disk 1 were joined in the program folder: the installation is as it was
# before the copy page began, file for file, with no archive and no journal left.
source "$E2E_REPO/tests/e2e/copy-page.sh"
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\WinTorv' 'C:\WinTorv'
stage_upgrade_media
media=$(cpath 'C:\MEDIA')
floppy="$E2E_WORK/floppy"
mkdir -p "$floppy/disk1" "$floppy/disk2"
printf '[General]\r\nNrDiscuri=2\r\n' >"$floppy/disk1/INSTALL.CFG"
mv "$media/INSTALL.EXE" "$media/UPGRADE.1" "$media/DISK1" "$media/EXE.1" "$media/HELP.1" "$floppy/disk1/"
: >"$floppy/disk2/DISK2"
mv "$media/DBDAT.1" "$media/DBNEW.1" "$floppy/disk2/"
use_removable_drive a "$floppy/disk1"
program=$(cpath 'C:\WinTorv')
before=$(folder_listing "$program")

start_upgrade_copy 'C:\WinTorv\' floppies
wait_until 120 "the request for disk 2" disk_requested 2
expect_file "$program/EXE.ZIP"
shot "the request for disk 2 of the upgrade" >/dev/null
drv click "Atentie !" "&Renunt"
drv wait-process-gone INSTTORV.EXE 60
expect_equal "$(folder_listing "$program")" "$before" "the program folder against before the copy"
expect_no_file "$(cpath 'C:\~TORVUPG')"
