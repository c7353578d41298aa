# The system configuration page as the scenarios meet it: its title, the way to it from
# the sample CD, and what its steps leave behind. Sourced after lib.sh and staging.sh.

source "$E2E_REPO/tests/e2e/copy-page.sh"

CONFIG_PAGE="Configurare sistem"
CONFIG_ROWS=(" Configurare BDE" " Actualizare CONFIG.SYS" " Creare grup")

# walk_to_config_page: the sample CD in D:, a LOCAL installation whose folders page gets
# PROGRAM_FOLDER (default: the proposed one), the copy done, up to the configuration page.
walk_to_config_page() {
    local programFolder=${1:-}
    stage_cd
    start_from_drive cd d
    walk_to_copy_page "$programFolder"
    drv click "$COPY_PAGE" "&Continua"
    drv wait-window "$CONFIG_PAGE" 180 >/dev/null
}

# standins_log FOLDER: what the component installers' stand-ins noted in FOLDER.
standins_log() {
    tr -d '\r' <"$(cpath "$1")/STANDINS.LOG"
}
