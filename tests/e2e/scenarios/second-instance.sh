# One installation at a time on a machine. While a person's run stands at its first page,
# a second INSTALL.EXE started unattended ends at once with 7, and one started by a person
# says so in a box "Instalare in curs" and ends with 7 too; neither touches the working
# folder, and the first run goes on to its folders page.

source "$E2E_REPO/tests/e2e/unattended.sh"

stage_cd
start_from_drive first d
drv wait-window "$TYPE_PAGE" 60 >/dev/null
temp=$(win_temp_dir)
work=$(work_folder "$temp")
working() { (cd "$temp" && ls -d WinTORVEX-* && cd "$work" && md5sum INSTTORV.EXE INSTTORV.DAT INSTTORV.CFG && stat -c '%n %Y' INSTTORV.*); }
before=$(working)

write_answers 'C:\deploy\local.ini' '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
run_unattended second 'D:\INSTALL.EXE' -auto 'C:\deploy\local.ini'
expect_exit 7 "an unattended run while another runs"

win_start third --cwd "$E2E_WORK" 'D:\INSTALL.EXE'
drv wait-window "Instalare in curs" 60 >/dev/null
shot "a second installation started by a person" >/dev/null
expect_contains "$(drv texts "Instalare in curs")" "ruleaza deja pe acest calculator"
drv click "Instalare in curs" "OK"
win_wait_exit third 30
expect_equal "$WIN_EXIT_CODE" 7 "the exit code of a person's second run"

expect_equal "$(working)" "$before" "the working folder"
choose_kind "$ITEM_LOCAL"
