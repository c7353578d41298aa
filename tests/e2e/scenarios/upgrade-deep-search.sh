# The locate page searches the fixed drives: C: holds no product (a big archive of
# folders and a product in a hidden folder that must not count), so the search goes on
# to the second fixed drive D: and finds the product deep below it. A second start is
# stopped with Abandon while the search runs: the program ends. A third is stopped with
# Back, live during the search as Continue and the browse button are not: Back on the
# first page of an upgrade ends the program too.
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

use_drive d "$E2E_WORK/drive-d" hd
stage_installation 'D:\Aplicatii\Contabilitate\WinTorvex' 'D:\Aplicatii\Contabilitate\WinTorvex'
stage_upgrade_media
# A product in a hidden folder of C:, and thousands of folders to search before D:.
# (Wine shows a name that begins with a dot as hidden.)
stage_installation 'C:\.ascuns\WinTorv' 'C:\.ascuns\WinTorv'
install_engine 'TORVEX=D:\Aplicatii\Contabilitate\WinTorvex\DATA'
python3 - "$(cpath 'C:\Arhiva')" <<'PY'
import itertools, os, sys
for path in itertools.product(range(8), repeat=4):
    os.makedirs(os.path.join(sys.argv[1], *("an%d" % level for level in path)), exist_ok=True)
PY

locate=$E2E_LOCATE_TITLE
start_installer media
drv wait-window "$locate" 60 >/dev/null
drv click "$locate" "&Continua"
wait_until 60 "the product found on D:" locate_shows 'D:\Aplicatii\Contabilitate\WinTorvex\'
shot "locate page: found on the second fixed drive" >/dev/null
expect_contains "$(drv tree "$locate")" 'enabled "&Continua"'
drv click "$locate" "&Abandon"
drv wait-process-gone INSTTORV.EXE 30
win_wait_exit media 30

# Again, and Abandon while the drives are searched.
start_installer again
drv wait-window "$locate" 60 >/dev/null
drv click "$locate" "&Continua"
wait_until 30 "the search at work" locate_searching
shot "locate page: the search at work" >/dev/null
drv click "$locate" "&Abandon"
drv wait-process-gone INSTTORV.EXE 30

# Once more, and Back while the drives are searched.
start_installer third
drv wait-window "$locate" 60 >/dev/null
drv click "$locate" "&Continua"
wait_until 30 "the search at work" locate_searching
tree=$(drv tree "$locate")
expect_contains "$tree" 'enabled "&Inapoi"'
expect_contains "$tree" 'disabled "&Continua"'
drv click "$locate" "&Inapoi"
drv wait-process-gone INSTTORV.EXE 30
