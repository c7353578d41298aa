# A LOCAL installation, then its uninstall walked through the real windows: the list of
# programs shows WinTORVEX while it is installed; DEZINST.EXE -uninstall shows its page
# over the backdrop, asks once, runs its steps as rows and says where the data stays.
# Afterwards the machine is the one from before the installation, apart from the data
# folders, which are byte for byte as the installation left them; the product is no
# longer listed. A second installation then works as on a fresh machine, and keeps the
# data it finds in place of the product's sample databases.
# tags: shipped

source "$E2E_REPO/tests/e2e/uninstall.sh"

stage_cd
before=$(machine_snapshot)
[[ $(listed_programs) != *WinTORVEX* ]] || fail "WinTORVEX is listed before it is installed"
install_unattended local '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
expect_contains "$(listed_programs)" WinTORVEX
expect_equal "$(reg_value "HKLM\\$E2E_PROGRAM_LIST_KEY" UninstallString)" "\"$UNINSTALLER\" -uninstall" \
    "the list entry's command"
expect_file "$(cpath 'C:\WinTorv')/DEZINST.INI"
data() { (cd "$(cpath 'C:\WinTorv')" && find DATA NEW -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum); }
data_installed=$(data)

uninstall_through_page
expect_contains "$UNINSTALL_TEXTS" "WinTORVEX a fost dezinstalat."
expect_contains "$UNINSTALL_TEXTS" 'C:\WinTorv\DATA'
expect_equal "$WIN_EXIT_CODE" 0 "the uninstall's exit code"

expect_equal "$(data)" "$data_installed" "the data folders"
after=$(machine_snapshot | without_lines '^(folder|[0-9a-f]{32}) \./WinTorv(/DATA|/NEW)?(/|$)')
expect_equal "$after" "$(without_lines '^(folder|[0-9a-f]{32}) \./WinTorv(/|$)' <<<"$before")" "the machine"
[[ $(listed_programs) != *WinTORVEX* ]] || fail "WinTORVEX is still listed"

# The company's work since: a second installation keeps it, and its aliases find it.
printf 'date reale\r\n' >"$(cpath 'C:\WinTorv')/DATA/FIRMA.DB"
install_unattended again '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
expect_bytes "$(cpath 'C:\WinTorv')/DATA/FIRMA.DB" 'date reale\r\n'
expect_equal "$(engine_alias TORVEX)" 'C:\WinTorv\DATA'
expect_contains "$(listed_programs)" WinTORVEX
