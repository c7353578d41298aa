# The file copy page as the scenarios and the demo meet it: its title, the way to it, the
# disk box, and what a finished copy leaves. Sourced after lib.sh and staging.sh.

source "$E2E_REPO/tests/e2e/fresh-pages.sh"

COPY_PAGE="Copiere fisiere Torvex"

# walk_to_copy_page [PROGRAM_FOLDER]: a LOCAL installation into the proposed folders (or
# PROGRAM_FOLDER typed into the program field), up to the copy page.
walk_to_copy_page() {
    drv wait-window "$TYPE_PAGE" 60 >/dev/null
    choose_kind "$ITEM_LOCAL"
    if [[ -n ${1:-} ]]; then
        focus_field alt+p
        replace_text "$DIRS_PAGE" "$1"
    fi
    drv click "$DIRS_PAGE" "&Continua"
    drv wait-window "$COPY_PAGE" 30 >/dev/null
}

# disk_requested N: the warning box asks for disk N.
disk_requested() {
    drv_try texts "Atentie !" 2>/dev/null | grep -q "introdu discul de instalare cu numarul[^0-9]*$1\$"
}

# floppies_to_disk_request: a LOCAL installation from the floppy set in A:, walked to the
# copy page's request for disk 2.
floppies_to_disk_request() {
    stage_floppies
    start_from_drive floppies a
    walk_to_copy_page
    drv click "$COPY_PAGE" "&Continua"
    wait_until 120 "the request for disk 2" disk_requested 2
}

# insert_requested_floppies: for disk 2 and disk 3 of the floppy set, as the page asks
# for each: a picture of the box, the disk into A:, OK.
insert_requested_floppies() {
    local disk
    for disk in 2 3; do
        wait_until 120 "the request for disk $disk" disk_requested "$disk"
        shot "the disk box for disk $disk" >/dev/null
        insert_floppy "$disk"
        drv click "Atentie !" "O&K"
    done
}

# expect_product_installed: the sample product unpacked into C:\WinTorv (programs and
# data) and the engine's folder, and no archive of the run left behind.
expect_product_installed() {
    local product=$E2E_SAMPLE_MEDIA/product program
    program=$(cpath 'C:\WinTorv')
    cmp -s "$product/EXE/TORVEX.EXE" "$program/TORVEX.EXE" || fail "TORVEX.EXE is not the product's"
    cmp -s "$product/MIRDAN/MIRDAN.EXE" "$program/MIRDAN.EXE" || fail "MIRDAN.EXE is not the product's"
    cmp -s "$product/DBDAT/DATA/FIRMA.DB" "$program/DATA/FIRMA.DB" || fail "DATA\\FIRMA.DB is not the product's"
    expect_file "$program/NEW/LUNA/LUNA.DB"
    expect_file "$program/TORVEX.HLP"
    expect_file "$(cpath "$E2E_ENGINE_DIR")/IDAPI32.DLL"
    expect_file "$(cpath "$E2E_ENGINE_DIR")/bde.reg"
    local left
    left=$(find "$program" -maxdepth 1 -iname '*.zip' | head -n 3)
    [[ -z $left ]] || fail "archives left in the program folder: $left"
}
