# The harness's drive helpers: a folder becomes the removable drive A: (what a floppy
# installation needs), the fixed drive C: stays fixed, and %TEMP% follows the registry.

mkdir -p "$E2E_WORK/disk1"
printf 'disk 1\r\n' >"$E2E_WORK/disk1/DISK1"
use_removable_drive a "$E2E_WORK/disk1"

win_run "$E2E_PROBE" drivetype 'A:\'
expect_equal "$WIN_EXIT_CODE" 2 "GetDriveType of A: (DRIVE_REMOVABLE)"
win_run "$E2E_PROBE" drivetype 'C:\'
expect_equal "$WIN_EXIT_CODE" 3 "GetDriveType of C: (DRIVE_FIXED)"

listing=$(win_output cmd /c dir /b 'A:\') || fail "cannot list A:"
expect_contains "$listing" DISK1

mkdir -p "$E2E_WORK/disk2"
printf 'disk 2\r\n' >"$E2E_WORK/disk2/DISK2"
insert_disk a "$E2E_WORK/disk2"
listing=$(win_output cmd /c dir /b 'A:\') || fail "cannot list A:"
expect_contains "$listing" DISK2

use_temp 'C:\TEMPTEST'
expect_equal "$(win_temp_dir)" "$(cpath 'C:\TEMPTEST')"
