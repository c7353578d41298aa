# An engine installed before (BLW32, UseCount 3), a LOCAL installation that counts on it,
# an upgrade, and a help file the user changed since. The uninstall removes the upgraded
# program files (the upgrade brought the record up to date), keeps the changed file and
# names it, and ends with 0: a file kept by the rules is no failure. The engine keeps its files and its count goes back to 3;
# only the product's aliases leave its configuration.

source "$E2E_REPO/tests/e2e/uninstall.sh"
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

install_engine 'ALTUL=C:\Altul'
set_reg 'HKLM\Software\Borland\BLW32' Installed 1
set_reg "$E2E_ENGINE_KEY" UseCount 3
set_reg "$E2E_ENGINE_KEY\\Settings\\SYSTEM\\INIT" VERSION 4.0
engine=$(cpath "$E2E_ENGINE_DIR")
engine_before=$(md5sum <"$engine/IDAPI32.DLL")

stage_cd
install_unattended local '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
expect_equal "$(reg_value "$E2E_ENGINE_KEY" UseCount)" 4 "the engine's use count once installed"
stage_upgrade_media
write_answers 'C:\deploy\upgrade.ini' '[Actualizare]' 'Program=C:\WinTorv' 'Structuri=1' 'Liste=1' 'Constante=1'
run_unattended upgrade 'C:\MEDIA\INSTALL.EXE' -auto 'C:\deploy\upgrade.ini'
expect_exit 0 "the upgrade"
program=$(cpath 'C:\WinTorv')
expect_equal "$(head -c ${#E2E_NEW_PROGRAM} "$program/TORVEX.EXE")" "$E2E_NEW_PROGRAM" "the upgraded TORVEX.EXE"
printf 'o nota a utilizatorului\r\n' >>"$program/TORVEX.HLP"
without_standins_log

uninstall_unattended uninstall
expect_exit 0 "an uninstall that keeps a changed file"
expect_contains "$(run_log)" 'C:\WinTorv\TORVEX.HLP (schimbat dupa instalare)'
expect_equal "$(find "$program" -type f -printf '%P\n' | LC_ALL=C sort | grep -v -e '^DATA/' -e '^NEW/')" TORVEX.HLP \
    "what is left of the program"
expect_equal "$(reg_value "$E2E_ENGINE_KEY" UseCount)" 3 "the engine's use count"
expect_equal "$(md5sum <"$engine/IDAPI32.DLL")" "$engine_before" "the engine's library"
expect_equal "$(engine_alias ALTUL)" 'C:\Altul' "the other program's alias"
if engine_alias TORVEX >/dev/null; then fail "the alias TORVEX is still there"; fi
[[ $(listed_programs) != *WinTORVEX* ]] || fail "WinTORVEX is still listed"
