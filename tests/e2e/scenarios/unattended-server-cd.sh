# A SERVER installation from the sample CD with an answers file and nobody at the screen:
# INSTALL.EXE -auto shows the backdrop and each page as it advances by itself, and its
# Wine process, which waits for the media instance, which waits for the working copy,
# ends with exit code 0 once the product is installed: the programs in C:\WinTorv, the
# databases in the data folder of the answers, the aliases there, WIN.INI, the group.
# tags: shipped

source "$E2E_REPO/tests/e2e/unattended.sh"
source "$E2E_REPO/tests/e2e/config-page.sh"

stage_cd
write_answers 'C:\deploy\server.ini' '; a file server of the office' '[Instalare]' 'Tip=SERVER' \
    'Program=C:\WinTorv' 'Date=C:\TorvDate        ; the company data'
# TREGSVR.EXE waits for a file, so that the run is seen at work on its configuration page.
export TREGSVR_HOLD='C:\release-tregsvr.txt'
win_start server --cwd "$E2E_WORK" 'D:\INSTALL.EXE' -auto 'C:\deploy\server.ini'
wait_until 120 "TREGSVR.EXE has started" eval "standins_log 'C:\WinTorv' 2>/dev/null | grep -q '^TREGSVR.EXE'"
drv wait-window "Configurare sistem" 30 >/dev/null
shot "an unattended run: the configuration page advancing by itself" >/dev/null
: >"$(cpath "$TREGSVR_HOLD")"
win_wait_exit server "$UNATTENDED_SECONDS"
expect_exit 0 "the unattended SERVER installation"

program=$(cpath 'C:\WinTorv')
cmp -s "$E2E_SAMPLE_MEDIA/product/EXE/TORVEX.EXE" "$program/TORVEX.EXE" || fail "TORVEX.EXE is not the product's"
expect_file "$(cpath 'C:\TorvDate')/DATA/FIRMA.DB"
expect_file "$(cpath 'C:\TorvDate')/NEW/LUNA/LUNA.DB"
expect_equal "$(engine_alias TORVEX)" 'C:\TorvDate\DATA'
expect_equal "$(win_ini_value Torvex LastUser)" Master "WIN.INI [Torvex] LastUser"
program_group_dir WinTORVEX >/dev/null || fail "no program group WinTORVEX"
log=$(run_log)
expect_contains "$log" "Pagina TDirs: raspunsuri din C:\\deploy\\server.ini"
[[ $(drv_try list) != *"$END_PAGE"* ]] || fail "the end page is still up"
