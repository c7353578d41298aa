# A LOCAL installation from the sample three-floppy set behind A:, a removable drive: on
# the copy page Continue asks for disk 2 and disk 3 in the warning box, the scenario
# changes the disk behind A: and presses OK; the product lands in the program and data
# folders, the engine under Program Files, and the archives are gone. The configuration
# page then registers the engine's aliases and writes WIN.INI, up to the end page.
# tags: shipped

source "$E2E_REPO/tests/e2e/config-page.sh"

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

drv wait-window "$CONFIG_PAGE" 30 >/dev/null
drv click "$CONFIG_PAGE" "&Continua"
drv wait-window "$END_PAGE" 120 >/dev/null
expect_equal "$(engine_alias TORVEX)" 'C:\WinTorv\DATA'
expect_equal "$(win_ini_value Torvex LastUser)" Master "WIN.INI [Torvex] LastUser"
drv click "$END_PAGE" "I&esire"
drv wait-process-gone INSTTORV.EXE 30
