# With an engine installed before (the key BLW32 present, UseCount 3), the configuration
# page only raises the engine's use count to 4 and adds the aliases to that engine: its
# bde.reg, placeholder and all, is not touched.

source "$E2E_REPO/tests/e2e/config-page.sh"

install_engine
set_reg 'HKLM\Software\Borland\BLW32' Installed 1
set_reg "$E2E_ENGINE_KEY" UseCount 3
# An installed engine is not unpacked again: the copy page takes its version key for it.
set_reg "$E2E_ENGINE_KEY\\Settings\\SYSTEM\\INIT" VERSION 4.0
bdeReg="$(cpath "$E2E_ENGINE_DIR")/bde.reg"
printf 'REGEDIT4\r\n"DLLPATH"="$ProgDir$"\r\n' >"$bdeReg"
before=$(sha256sum <"$bdeReg")

walk_to_config_page
drv click "$CONFIG_PAGE" "&Continua"
drv wait-gone "$CONFIG_PAGE" 120
drv wait-window "$END_PAGE" 30 >/dev/null
expect_equal "$(reg_value "$E2E_ENGINE_KEY" UseCount)" 4 "the engine's use count"
expect_equal "$(sha256sum <"$bdeReg")" "$before" "bde.reg"
expect_equal "$(reg_value "$E2E_ENGINE_KEY" DLLPATH)" "$E2E_ENGINE_DIR" "the engine's DLLPATH"
expect_equal "$(engine_alias TORVEX)" 'C:\WinTorv\DATA'
