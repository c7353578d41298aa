# An engine installed before without the key BLW32 (its library where DLLPATH says, the
# settings key as Wine makes it): the copy page leaves the sample engine packed, and the
# configuration page, finding no bde.reg of ours, imports nothing and adds the aliases to
# that engine, with no box, on to the end page.

source "$E2E_REPO/tests/e2e/config-page.sh"

install_engine
walk_to_config_page
expect_no_file "$(cpath "$E2E_ENGINE_DIR")/bde.reg"
drv click "$CONFIG_PAGE" "&Continua"
drv wait-gone "$CONFIG_PAGE" 120
drv wait-window "$END_PAGE" 30 >/dev/null
expect_equal "$(engine_alias TORVEX)" 'C:\WinTorv\DATA'
expect_no_file "$(cpath "$E2E_ENGINE_DIR")/bde.reg"
