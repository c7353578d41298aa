# An upgrade of an installation on a small drive (a tmpfs of 24 MB as the fixed drive X:)
# whose room is taken by another program part way through the copy: once TORVEX.EXE is
# replaced and the damaged DBDAT archive's error box is up, the drive is filled to the
# last byte. The next archive's box names its file and says the disk is full; the copy
# is undone, so the installation is as it was, and the page stays open for another try.
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

use_small_drive x 24
small=$E2E_SMALL_DRIVE
stage_installation 'X:\WinTorv' 'X:\WinTorv'
stage_upgrade_media
damage_first_member "$(cpath 'C:\MEDIA')/DBDAT.1"
program="$small/WinTorv"
before=$(folder_listing "$program")

start_upgrade_copy 'X:\WinTorv\'
copy=$E2E_UPGRADE_COPY_TITLE
drv wait-window "EROARE !" 120 >/dev/null
expect_contains "$(drv texts "EROARE !")" "DBDAT.ZIP"
expect_equal "$(head -c ${#E2E_NEW_PROGRAM} "$program/TORVEX.EXE")" "$E2E_NEW_PROGRAM" "TORVEX.EXE replaced by then"
dd if=/dev/zero of="$small/FILLER.BIN" bs=64k 2>/dev/null || true   # until the drive is full
drv click "EROARE !" "O&K"
disk_full_box() { drv_try texts "EROARE !" 2>/dev/null | tr -d '\r' | grep -q "discul este plin"; }
wait_until 60 "a box that says the disk is full" disk_full_box
shot "the box of the archive that met the full disk" >/dev/null
drv click "EROARE !" "O&K"
# Any later archive meets the same full disk.
while drv_try wait-window "EROARE !" 5 >/dev/null; do drv click "EROARE !" "O&K"; done
wait_until 30 "the page says the installation stayed" \
    eval 'drv_try texts "$copy" | grep -q "instalarea a ramas cum era"'
rm -f "$small/FILLER.BIN"
expect_equal "$(folder_listing "$program")" "$before" "the program folder against before the copy"
expect_no_file "$small/~TORVUPG"
drv click "$copy" "&Abandon"
drv wait-process-gone INSTTORV.EXE 30
