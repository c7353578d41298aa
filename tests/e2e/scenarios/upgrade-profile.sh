# The locate page takes the program folder from WIN.INI's [Torvex], written as the
# product writes it, before any drive search: first AppPath, then, with AppPath empty,
# the folder of DatabasePath. The product lies in a hidden folder that the search never
# enters, and C:\WinTorv holds another that the search would find first.
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

stage_installation 'C:\.ascuns\WinTorv' 'C:\.ascuns\WinTorv'
decoy=$(cpath 'C:\WinTorv')
mkdir -p "$decoy"
truncate -s 7000000 "$decoy/TORVEX.EXE"
stage_upgrade_media
locate=$E2E_LOCATE_TITLE

# profile KEY VALUE: the value written into WIN.INI through the system's own call.
profile() {
    win_run "$E2E_PROBE" profile Torvex "$1" "$2"
    (( WIN_EXIT_CODE == 0 )) || fail "cannot write $1 into WIN.INI"
}

# found_through NAME: a start of the installer whose first Continue shows the hidden folder.
found_through() {
    start_installer "$1"
    drv wait-window "$locate" 60 >/dev/null
    drv click "$locate" "&Continua"
    wait_until 30 "the folder found through $1" locate_shows 'C:\.ascuns\WinTorv\'
    shot "locate page: found through $1" >/dev/null
    drv click "$locate" "&Abandon"
    drv wait-process-gone INSTTORV.EXE 30
    win_wait_exit "$1" 30
}

profile AppPath 'C:\.ascuns\WinTorv\'
found_through AppPath
profile AppPath ''
profile DatabasePath 'C:\.ascuns\WinTorv\DATA'
found_through DatabasePath
