# A LOCAL installation from the sample three-floppy set behind A:, a removable drive: on
# the copy page Continue asks for disk 2 and disk 3 in the warning box, the scenario
# changes the disk behind A: and presses OK; the product lands in the program and data
# folders, the engine under Program Files, and the archives are gone.

source "$E2E_REPO/tests/e2e/copy-page.sh"

stage_floppies
start_from_drive floppies a
walk_to_copy_page
shot "the copy page" >/dev/null
expect_contains "$(drv texts "$COPY_PAGE")" "Apasa 'Continua' pentru a incepe instalarea....."
drv click "$COPY_PAGE" "&Continua"

insert_requested_floppies
shot "the page at work after disk 3" >/dev/null

drv wait-gone "$COPY_PAGE" 180
expect_product_installed
