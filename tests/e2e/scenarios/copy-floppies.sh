# A LOCAL installation from the sample three-floppy set behind A:, a removable drive: on
# the copy page Continue asks for disk 2 and disk 3 in the warning box, the scenario
# changes the disk behind A: and presses OK; the product lands in the program and data
# folders, the engine under Program Files, and the archives are gone.

# disk_requested N: the warning box asks for disk N.
disk_requested() {
    drv_try texts "Atentie !" 2>/dev/null | grep -q "introdu discul de instalare cu numarul .*$1\$"
}

stage_floppies
start_from_drive floppies a
walk_to_copy_page
shot "the copy page" >/dev/null
expect_contains "$(drv texts "Copiere fisiere Torvex")" "Apasa 'Continua' pentru a incepe instalarea....."
drv click "Copiere fisiere Torvex" "&Continua"

for disk in 2 3; do
    wait_until 120 "the request for disk $disk" disk_requested "$disk"
    shot "the disk box for disk $disk" >/dev/null
    insert_floppy "$disk"
    drv click "Atentie !" "O&K"
done
shot "the page at work after disk 3" >/dev/null

drv wait-gone "Copiere fisiere Torvex" 180
expect_product_installed
