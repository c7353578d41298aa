# The demo: a fresh installation of the sample product from its three floppies, as a
# user starts it from drive A:. The media instance relaunches itself from %TEMP%; then
# every window the working copy shows is photographed and answered the way a user going
# forward would answer it (Continua, Da, OK, Iesire; Renunt where nothing else goes on),
# until the program ends. The copy page gets each disk it asks for in drive A:.
# Then INSTALL.EXE is started again from disk 1: the alias TORVEX that the installation
# made leads it to the upgrade, which walks the locate, upgrade copy and database pages
# to the end page.

source "$E2E_REPO/tests/e2e/config-page.sh"
source "$E2E_REPO/tests/e2e/upgrade-staging.sh"

# The install type page: LOCAL, picked by a click on its item.
demo_type_page() {
    drv wait-window "$TYPE_PAGE" 60 >/dev/null
    shot "$TYPE_PAGE" >/dev/null
    drv click "$TYPE_PAGE" "$ITEM_LOCAL"
    shot "$TYPE_PAGE: LOCAL" >/dev/null
    drv click "$TYPE_PAGE" "&Continua"
    echo "demo: \"$TYPE_PAGE\" answered with LOCAL and &Continua"
}

# The folders page: the folder dialog looked at and left, the proposed folder taken.
demo_folders_page() {
    drv wait-window "$DIRS_PAGE" 30 >/dev/null
    shot "$DIRS_PAGE" >/dev/null
    drv click "$DIRS_PAGE" "Cauta..."
    drv wait-window "$DIR_DIALOG" 30 >/dev/null
    shot "$DIR_DIALOG" >/dev/null
    drv click "$DIR_DIALOG" "&Renunt"
    drv wait-gone "$DIR_DIALOG" 30
    drv click "$DIRS_PAGE" "&Continua"
    drv wait-gone "$DIRS_PAGE" 30
    echo "demo: \"$DIRS_PAGE\" answered with the proposed folder and &Continua"
}

# The copy page: Continue, and for each disk asked for, that floppy into A: and OK.
demo_copy_page() {
    drv wait-window "$COPY_PAGE" 30 >/dev/null
    shot "$COPY_PAGE" >/dev/null
    drv click "$COPY_PAGE" "&Continua"
    insert_requested_floppies
    shot "$COPY_PAGE: at work" >/dev/null
    drv wait-gone "$COPY_PAGE" 180
    echo "demo: \"$COPY_PAGE\" copied the product from three floppies"
}

# The configuration page: Continue registers the engine and the aliases, writes the
# default user, runs the component installers and makes the program group.
demo_config_page() {
    drv wait-window "$CONFIG_PAGE" 30 >/dev/null
    shot "$CONFIG_PAGE" >/dev/null
    drv click "$CONFIG_PAGE" "&Continua"
    drv wait-gone "$CONFIG_PAGE" 120
    echo "demo: \"$CONFIG_PAGE\" registered the engine (TORVEX is $(engine_alias TORVEX)) and made the group"
}

stage_floppies
start_from_drive media a
demo_type_page
demo_folders_page
demo_copy_page
demo_config_page

# The windows of the working copy, besides the backdrop, by title.
program_windows() {
    drv_try list | sed -n 's/^[^ ]* [^ ]* "\(.*\)"$/\1/p' | grep -v -x -e 'Installer' -e '' -e 'Default - Wine desktop' || true
}

answered=0
for step in $(seq 1 40); do
    drv_try wait-process INSTTORV.EXE 1 >/dev/null || break
    window=$(program_windows | tail -n 1)
    if [[ -z $window ]]; then
        wait_until 10 "a window of the installer" test -n "\$(program_windows)" || true
        continue
    fi
    shot "$window" >/dev/null
    for caption in "&Continua" "&Da" "O&K" "I&esire" "&Renunt"; do
        if drv_try click "$window" "$caption" 1 >/dev/null; then
            answered=$((answered + 1))
            echo "demo step $step: \"$window\" answered with $caption"
            break
        fi
    done
    drv_try wait-gone "$window" 15 >/dev/null || true
done
drv wait-process-gone INSTTORV.EXE 30
shot "the installer has ended" >/dev/null
(( answered > 0 )) || fail "the installer showed no window"

# --- The upgrade of what was just installed, from the same floppies.

# The locate page: the first Continue finds the program folder, the second accepts it.
demo_locate_page() {
    local locate=$E2E_LOCATE_TITLE
    drv wait-window "$locate" 60 >/dev/null
    shot "$locate" >/dev/null
    drv click "$locate" "&Continua"
    wait_until 60 "the program folder found" locate_shows 'C:\WinTorv\'
    shot "$locate: the program folder found" >/dev/null
    drv click "$locate" "&Continua"
    drv wait-gone "$locate" 30
    echo 'demo: the locate page found C:\WinTorv\'
}

# The upgrade copy page: the archives again, from the three floppies, by the replacement rule.
demo_upgrade_copy_page() {
    drv wait-window "$COPY_PAGE" 30 >/dev/null
    shot "$COPY_PAGE (upgrade)" >/dev/null
    drv click "$COPY_PAGE" "&Continua"
    insert_requested_floppies
    drv wait-gone "$COPY_PAGE" 180
    echo "demo: the upgrade copy page unpacked the upgrade over C:\WinTorv"
}

# The database page: the three operations of the upgrade library.
demo_database_page() {
    local database="Actualizare baza de date"
    drv wait-window "$database" 60 >/dev/null
    shot "$database" >/dev/null
    drv click "$database" "&Continua"
    drv wait-gone "$database" 60
    echo "demo: the database page ran the upgrade library's three operations"
}

# The end page, left with Iesire.
demo_end_page() {
    drv wait-window "Finalizare" 60 >/dev/null
    shot "Finalizare (after the upgrade)" >/dev/null
    drv click "Finalizare" "I&esire"
    drv wait-process-gone INSTTORV.EXE 30
    echo "demo: the upgrade ended on the end page"
}

insert_floppy 1
start_from_drive upgrade a
demo_locate_page
demo_upgrade_copy_page
demo_database_page
demo_end_page
shot "the upgrade has ended" >/dev/null

# A second workstation becomes a CLIENT of the first without a question: a new machine,
# the first one's installation shared to it as N:, the same product from the CD folder
# in D:, an answers file, and INSTALL.EXE -auto waited for to its exit code.
source "$E2E_REPO/tests/e2e/unattended.sh"
server_share="$DRIVE_C/WinTorv"
use_another_machine client
stage_cd
set_reg 'HKLM\Software\Wine\Drives' 'n:' network
insert_disk n "$server_share"
e2e_restart_wine
write_answers 'C:\deploy\client.ini' '[Instalare]' 'Tip=CLIENT' 'Program=C:\WinTorv' 'Date=N:\'
# TREGSVR.EXE waits for a file, so that the run is seen at work on its configuration page.
export TREGSVR_HOLD='C:\release-tregsvr.txt'
win_start client --cwd "$E2E_WORK" 'D:\INSTALL.EXE' -auto 'C:\deploy\client.ini'
wait_until 120 "TREGSVR.EXE has started" eval "standins_log 'C:\WinTorv' 2>/dev/null | grep -q '^TREGSVR.EXE'"
shot "the second workstation: an unattended CLIENT installation at work" >/dev/null
: >"$(cpath "$TREGSVR_HOLD")"
win_wait_exit client "$UNATTENDED_SECONDS"
expect_exit 0 "the unattended CLIENT installation"
expect_equal "$(engine_alias TORVEX)" 'N:\DATA'
echo "demo: the second workstation is a CLIENT of the first (exit code 0, alias TORVEX on N:\\DATA)"

# The second workstation is reassigned: its uninstall, walked through its page, takes back
# what the CLIENT made on it, and nothing of the first machine's installation on N:.
source "$E2E_REPO/tests/e2e/uninstall.sh"
without_standins_log
first_machine() { (cd "$server_share" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum); }
share_before=$(first_machine)
uninstall_through_page
expect_contains "$UNINSTALL_TEXTS" "WinTORVEX a fost dezinstalat."
expect_equal "$WIN_EXIT_CODE" 0 "the CLIENT's uninstall"
expect_equal "$(first_machine)" "$share_before" "the first machine's installation"
echo "demo: the CLIENT was uninstalled (exit code 0); the first machine's installation on N: is as it was"
