# A CLIENT workstation installed from the office's network share, as a deployment script
# does it: cmd's "start /wait" runs N:\KIT\INSTALL.EXE -auto with an answers file named
# relative to the share's folder, waits for the whole run and reads its exit code. The
# CLIENT gets the programs and the engine, and its aliases name the server's data
# folder on the share; nothing of the data is copied. Its uninstall, waited for in the
# same way, takes back what the CLIENT made on its own machine, the engine it unpacked
# included, and touches nothing on the share.

source "$E2E_REPO/tests/e2e/uninstall.sh"

share="$E2E_WORK/share"
requires "$E2E_SAMPLE_MEDIA/verify-cd.txt"
mkdir -p "$share/DATE/DATA" "$share/DATE/NEW/DATA"
cp -r "$E2E_SAMPLE_MEDIA/cd" "$share/KIT"
set_reg 'HKLM\Software\Wine\Drives' 'n:' network
insert_disk n "$share"
e2e_restart_wine
write_answers 'N:\KIT\client.ini' '[Instalare]' 'Tip=CLIENT' 'Program=C:\WinTorv' 'Date=N:\DATE'

printf '@start /wait N:\\KIT\\INSTALL.EXE -auto client.ini\r\n@echo exit=%%ERRORLEVEL%%\r\n' >"$(cpath 'C:\deploy.cmd')"
output=$(cd "$share/KIT" && timeout -k 5 "$UNATTENDED_SECONDS" "$E2E_WINE" cmd /c 'C:\deploy.cmd' 2>>"$E2E_WORK/wine.log" | tr -d '\r')
WIN_EXIT_CODE=${output##*exit=}
expect_exit 0 "the unattended CLIENT installation"

program=$(cpath 'C:\WinTorv')
cmp -s "$E2E_SAMPLE_MEDIA/product/EXE/TORVEX.EXE" "$program/TORVEX.EXE" || fail "TORVEX.EXE is not the product's"
expect_file "$(cpath "$E2E_ENGINE_DIR")/IDAPI32.DLL"
expect_no_file "$program/DATA"
expect_equal "$(engine_alias TORVEX)" 'N:\DATE\DATA'
expect_equal "$(engine_alias LUNAALIAS)" 'N:\DATE\NEW\LUNA'
expect_equal "$(find "$share/DATE" -type f | wc -l)" 0 "files written on the server's share"
program_group_dir WinTORVEX >/dev/null || fail "no program group WinTORVEX"

without_standins_log
printf 'date de pe server\r\n' >"$share/DATE/DATA/FIRMA.DB"
share_before=$(cd "$share" && find . -printf '%p %s\n' | LC_ALL=C sort)
printf '@start /wait C:\\WinTorv\\DEZINST.EXE -uninstall -auto\r\n@echo exit=%%ERRORLEVEL%%\r\n' >"$(cpath 'C:\remove.cmd')"
output=$(timeout -k 5 "$UNATTENDED_SECONDS" "$E2E_WINE" cmd /c 'C:\remove.cmd' 2>>"$E2E_WORK/wine.log" | tr -d '\r')
WIN_EXIT_CODE=${output##*exit=}
expect_exit 0 "the CLIENT's uninstall"
expect_no_file "$program"
expect_no_file "$(cpath "$E2E_ENGINE_DIR")/IDAPI32.DLL"
expect_equal "$(cd "$share" && find . -printf '%p %s\n' | LC_ALL=C sort)" "$share_before" "the server's share"
