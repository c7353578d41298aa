# A fresh LOCAL installation from the sample CD through the configuration page, on the
# machine as Wine makes it: its engine key without an engine does not keep the sample
# engine packed, so there is a bde.reg to import. Continue turns the rows red and raised
# one by one, Back and Abandon live meanwhile; afterwards the registry holds the imported
# bde.reg (the engine's DLLPATH on its unpacked folder), the engine's configuration the
# four aliases under the data folder, WIN.INI [Torvex] LastUser=Master, the stand-ins'
# journal both component installers, and the Program Manager made the group WinTORVEX
# with its items, as the record notes.
# Enter on the end page leaves. A second start from the CD finds the alias TORVEX through
# the engine that this installation registered, and so takes the upgrade path.

source "$E2E_REPO/tests/e2e/config-page.sh"

release='C:\release-tregsvr.txt'
export TREGSVR_HOLD=$release   # TREGSVR.EXE waits for this file: the page is seen at work
walk_to_config_page
texts=$(drv texts "$CONFIG_PAGE")
for row in "${CONFIG_ROWS[@]}" "&Inapoi" "&Continua" "&Abandon"; do expect_contains "$texts" "$row"; done
shot "the configuration page before its steps" >/dev/null

drv click "$CONFIG_PAGE" "&Continua"
tregsvr_started() { standins_log 'C:\WinTorv' 2>/dev/null | grep -q '^TREGSVR.EXE'; }
wait_until 60 "TREGSVR.EXE has started" tregsvr_started
shot "the configuration page at work: the engine's row finished" >/dev/null
tree=$(drv tree "$CONFIG_PAGE")   # only Continue waits for the steps
for button in 'disabled "&Continua"' 'enabled "&Inapoi"' 'enabled "&Abandon"'; do expect_contains "$tree" "$button"; done
: >"$(cpath "$release")"
drv wait-gone "$CONFIG_PAGE" 120
drv wait-window "$END_PAGE" 30 >/dev/null

engine=$(cpath "$E2E_ENGINE_DIR")
expect_equal "$(reg_value "$E2E_ENGINE_KEY" DLLPATH)" "$E2E_ENGINE_DIR" "the engine's DLLPATH"
expect_equal "$(grep -c 'ProgDir' "$engine/bde.reg" || true)" 0 "placeholders left in bde.reg"
expect_contains "$(cat "$engine/bde.reg")" "\"DLLPATH\"=\"${E2E_ENGINE_DIR//\\/\\\\}\""
expect_equal "$(engine_alias TORVEXALIAS)" 'C:\WinTorv\NEW\DATA'
expect_equal "$(engine_alias FIRMAALIAS)" 'C:\WinTorv\NEW\FIRMA'
expect_equal "$(engine_alias LUNAALIAS)" 'C:\WinTorv\NEW\LUNA'
expect_equal "$(engine_alias TORVEX)" 'C:\WinTorv\DATA'
expect_equal "$(win_ini_value Torvex LastUser)" Master "WIN.INI [Torvex] LastUser"
expect_equal "$(standins_log 'C:\WinTorv')" $'HHUPD.EXE /Q\nTREGSVR.EXE -Q C:\\WinTorv\\CFX32.OCX' "the stand-ins' journal"
group=$(program_group_dir WinTORVEX) || fail "no Start Menu folder for the group WinTORVEX"
expect_contains "$(tr -d '\r' <"$(cpath 'C:\WinTorv\DEZINST.INI')")" "GrupPrin=DDE"
# Each command went in a transaction of its own: Wine's shell carries out only the first
# of a transaction, and here made every item, a link named after it.
for item in Torvex Mirdan; do
    wait_until 10 "the group's item $item" test -f "$group/$item.lnk"
done
link=$(win_output "$E2E_PROBE" shortcut "$(winpath "$group/Torvex.lnk")") || fail "cannot read the item Torvex"
expect_contains "${link^^}" 'C:\WINTORV\TORVEX.EXE'
# Enter on the end page's first focus leaves, as "I&esire" does.
drv key "$END_PAGE" enter
drv wait-process-gone INSTTORV.EXE 30

# The second start: the copy finds the alias, so it unpacks the upgrade set (a fresh
# installation deletes it unopened) and goes on with the upgrade pages.
temp=$(win_temp_dir)
start_from_drive again d
unpacked() { local found=("$temp"/WinTORVEX-*/UPGRADE.DLL); [[ -f ${found[0]} ]]; }
wait_until 60 "the upgrade set is unpacked in the working folder" unpacked
shot "the second start: the upgrade path" >/dev/null
[[ -z $(drv_try list | grep -F "\"$TYPE_PAGE\"") ]] || fail "the second start shows the install type page"
