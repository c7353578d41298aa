# A shell that accepts the Program Manager conversation but never answers the group
# commands does not hang the installer: after its bounded wait the configuration page
# reports it like a failed conversation ("Eroare DDE!") and goes on to the end page.

source "$E2E_REPO/tests/e2e/config-page.sh"

walk_to_config_page
report="$E2E_WORK/silent-shell.txt"
win_start shell "$E2E_PROBE" silent-shell 200 "$(winpath "$report")"
shell_ready() { grep -q ready "$report" 2>/dev/null; }
wait_until 30 "the silent shell is ready" shell_ready

drv click "$CONFIG_PAGE" "&Continua"
# The installer waits about a minute; one driver call may not wait that long.
box_shown() { drv_try wait-window "Eroare..." 5 >/dev/null; }
wait_until 120 "the DDE error box" box_shown
grep -q execute "$report" || fail "the group commands did not reach the silent shell"
expect_contains "$(drv texts "Eroare...")" "Eroare DDE!"
shot "the box after the shell did not answer" >/dev/null
drv click "Eroare..." "&Renunt"
drv wait-window "$END_PAGE" 30 >/dev/null
