# A program folder on a drive too small for the product (a tmpfs of 6 MB as the fixed
# drive X:): the pieces fit, what they unpack to does not. After joining, before the first
# member, the copy page names X: in "Spatiu insuficient!" with the space needed and the
# space free; the page stays open and the drive keeps nothing of the copy.
source "$E2E_REPO/tests/e2e/copy-page.sh"
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

use_small_drive x 6

stage_cd
start_from_drive cd d
walk_to_copy_page 'X:\WinTorv'
drv click "$COPY_PAGE" "&Continua"

drv wait-window "Spatiu insuficient!" 120 >/dev/null
shot "the free space box" >/dev/null
texts=$(drv texts "Spatiu insuficient!" | tr -d '\r')
expect_contains "$texts" "Pe discul X: nu este destul spatiu liber."
expect_contains "$texts" "Necesar: "
expect_contains "$texts" "Liber: "
drv click "Spatiu insuficient!" "O&K"
wait_until 30 "the page waits for another try" eval 'drv_try texts "$COPY_PAGE" | grep -q "Copierea nu a reusit"'
left=$(find "$E2E_SMALL_DRIVE/WinTorv" -type f | head -3)
[[ -z $left ]] || fail "the copy left files on X:: $left"
drv click "$COPY_PAGE" "&Abandon"
drv wait-process-gone INSTTORV.EXE 30
