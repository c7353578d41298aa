# A program folder with a blank, C:\Program Files\WinTorv: the component installers get
# the whole path (the command lines quote it), so the right programs start and TREGSVR.EXE
# gets the control's full name.

source "$E2E_REPO/tests/e2e/config-page.sh"

walk_to_config_page 'C:\Program Files\WinTorv'
drv click "$CONFIG_PAGE" "&Continua"
drv wait-gone "$CONFIG_PAGE" 120
drv wait-window "$END_PAGE" 30 >/dev/null
expect_equal "$(standins_log 'C:\Program Files\WinTorv')" \
    $'HHUPD.EXE /Q\nTREGSVR.EXE -Q "C:\\Program Files\\WinTorv\\CFX32.OCX"' "the stand-ins' journal"
