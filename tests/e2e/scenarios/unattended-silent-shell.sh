# No Program Manager that does its work: a shell takes the group's DDE conversation and
# never carries the commands out, and a program that takes none of its window's messages
# gets the conversation's request too. An unattended installation hangs on neither and
# still ends with 0: after a few seconds it makes the group itself, as shortcuts in the
# Start Menu of all users, each starting its program in the program folder, and notes the
# way in the run log and the record. The unattended uninstall removes the shortcuts and
# their folder without asking any Program Manager, and leaves the Start Menu as it was.

source "$E2E_REPO/tests/e2e/uninstall.sh"

start_menu() { (cd "$DRIVE_C" && find . -path '*/Start Menu/Programs/*' | LC_ALL=C sort); }
GROUP='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\WinTORVEX'

stage_cd
menu_before=$(start_menu)
report="$E2E_WORK/silent-shell.txt"
win_start shell "$E2E_PROBE" silent-shell 200 "$(winpath "$report")"
wait_until 30 "the silent shell is ready" grep -qs ready "$report"
win_start busy "$E2E_PROBE" busy 200 "$(winpath "$E2E_WORK/busy.txt")"
wait_until 30 "the busy window is up" grep -qs busy "$E2E_WORK/busy.txt"

install_unattended local '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
expect_count "$report" execute 1
expect_contains "$(run_log)" "Program Manager nu a terminat comenzile grupului la timp"
expect_contains "$(run_log)" "Grupul WinTORVEX este folderul de scurtaturi $GROUP"
expect_equal "$(ls "$(cpath "$GROUP")" | tr '\n' ' ')" "Mirdan.lnk Service.lnk Torvex.lnk Vantir.lnk " \
    "the group's shortcuts"
expect_equal "$(win_output "$E2E_PROBE" shortcut "$GROUP\\Torvex.lnk")" $'C:\\WinTorv\\TORVEX.EXE\n\nC:\\WinTorv' \
    "the target, arguments and working folder of Torvex.lnk"
expect_contains "$(tr -d '\r' <"$(cpath 'C:\WinTorv\DEZINST.INI')")" "GrupPrin=Scurtaturi"

uninstall_unattended uninstall
expect_exit 0 "the uninstall"
expect_equal "$(start_menu)" "$menu_before" "the Start Menu"
expect_count "$report" execute 1
