# The floppy drive is empty when the copy page looks for the next disk: asked for disk 2,
# the person takes disk 1 out and answers OK with nothing in the drive. The page tests
# for the disk's marker on the empty drive, and only its own request for disk 2 comes
# again, with no box of the system's own about the drive; with the disks then given the
# product is installed.

source "$E2E_REPO/tests/e2e/copy-page.sh"

floppies_to_disk_request
insert_disk a "$E2E_WORK/no-disk-in-a"
drv click "Atentie !" "O&K"
wait_until 60 "the request for disk 2 again" disk_requested 2
shot "the program's own request again, the drive empty" >/dev/null
system_boxes=$(drv_try list | grep -F '#32770' | grep -vF '"Atentie !"' || true)
[[ -z $system_boxes ]] || fail "a box of the system's own: $system_boxes"
for disk in 2 3; do
    wait_until 120 "the request for disk $disk" disk_requested "$disk"
    insert_floppy "$disk"
    drv click "Atentie !" "O&K"
done
drv wait-gone "$COPY_PAGE" 180
expect_product_installed
