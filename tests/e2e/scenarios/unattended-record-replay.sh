# A person installs a SERVER from the sample CD with -record, through every page; the
# answers file holds only the keys that run used, with the folders as accepted. Replayed
# with -auto on a second machine as Wine makes it, from the same CD, it gives the same
# machine: files and their checksums, the engine's registry value and aliases, WIN.INI
# and the program group.

source "$E2E_REPO/tests/e2e/unattended.sh"
source "$E2E_REPO/tests/e2e/config-page.sh"

stage_cd
mkdir -p "$(cpath 'C:\deploy')"
win_start person --cwd "$E2E_WORK" 'D:\INSTALL.EXE' -record 'C:\deploy\recorded.ini'
win_wait_exit person 60
drv wait-window "$TYPE_PAGE" 60 >/dev/null
choose_kind "$ITEM_SERVER"
focus_field alt+d
replace_text "$DIRS_PAGE" 'C:\TorvDate'
drv click "$DIRS_PAGE" "&Continua"
drv wait-window "$COPY_PAGE" 30 >/dev/null
drv click "$COPY_PAGE" "&Continua"
drv wait-window "$CONFIG_PAGE" 180 >/dev/null
drv click "$CONFIG_PAGE" "&Continua"
drv wait-window "$END_PAGE" 120 >/dev/null
drv click "$END_PAGE" "I&esire"
drv wait-process-gone INSTTORV.EXE 30

recorded=$(cpath 'C:\deploy\recorded.ini')
expect_bytes "$recorded" '[Instalare]\r\nTip=SERVER\r\nProgram=C:\\WinTorv\r\nDate=C:\\TorvDate\r\n'
cp "$recorded" "$E2E_WORK/recorded.ini"
machine_state >"$E2E_WORK/first-machine.txt"
expect_contains "$(cat "$E2E_WORK/first-machine.txt")" 'C:\TorvDate\DATA\FIRMA.DB'

use_another_machine replay
stage_cd
mkdir -p "$(cpath 'C:\deploy')"
cp "$E2E_WORK/recorded.ini" "$(cpath 'C:\deploy\recorded.ini')"
run_unattended replay 'D:\INSTALL.EXE' -auto 'C:\deploy\recorded.ini'
expect_exit 0 "the replayed run"
machine_state >"$E2E_WORK/second-machine.txt"
diff -u "$E2E_WORK/first-machine.txt" "$E2E_WORK/second-machine.txt" >"$E2E_WORK/machines.diff" ||
    fail "the replayed machine differs: $(head -c 400 "$E2E_WORK/machines.diff")"
