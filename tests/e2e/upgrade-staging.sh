# Staging for the upgrade's scenarios: an installed product as a fresh installation
# leaves it, and upgrade media whose archives replace some of its files. Sourced by the
# upgrade scenarios after lib.sh.

# The upgrade's own files, and what each scenario checks after the copy.
E2E_OLD_PROGRAM='vechi: program'
E2E_NEW_PROGRAM='nou: program'

# stage_installation PROGRAM-FOLDER DATA-FOLDER: the product installed there (a
# TORVEX.EXE of 7,000,000 bytes, the engine's own IDAPI32.CFG, a module, data files old
# and under NEW, the lists that the stand-in library's list step rewrites), the stand-in
# engine with the alias TORVEX at DATA-FOLDER\DATA.
stage_installation() {
    local program data
    program=$(cpath "$1")
    data=$(cpath "$2")
    mkdir -p "$program" "$data/DATA" "$data/NEW/DATA"
    printf '%s' "$E2E_OLD_PROGRAM" >"$program/TORVEX.EXE"
    truncate -s 7000000 "$program/TORVEX.EXE"
    printf 'vechi: motor\r\n' >"$program/IDAPI32.CFG"
    printf 'vechi: vantir\r\n' >"$program/VANTIR.EXE"
    printf 'vechi: firma\r\n' >"$data/DATA/FIRMA.DB"
    printf 'vechi: liste\r\n' >"$data/DATA/LISTE.DB"
    printf 'vechi: martor\r\n' >"$data/NEW/DATA/X.DB"
    install_engine "TORVEX=$2\\DATA"
}

# stage_upgrade_media: the media folder C:\MEDIA\ for one disk, with UPGRADE.DLL in
# UPGRADE.1, the marker DISK1 and one piece per archive: EXE (a TORVEX.EXE of 7,000,000
# bytes, VANTIR.EXE, IDAPI32.CFG), DBDAT (DATA\FIRMA.DB, DATA\NOU.DB, NEW\DATA\X.DB),
# DBNEW (new\luna\l.db, in lower case: it joins the NEW folder already there) and HELP
# (TORVEX.HLP).
stage_upgrade_media() {
    stage_media --upgrade-dll --disks 1
    local media set="$E2E_WORK/archives"
    media=$(cpath 'C:\MEDIA')
    : >"$media/DISK1"
    rm -rf "$set"
    mkdir -p "$set/EXE" "$set/DBDAT/DATA" "$set/DBDAT/NEW/DATA" "$set/DBNEW/new/luna" "$set/HELP"
    printf '%s' "$E2E_NEW_PROGRAM" >"$set/EXE/TORVEX.EXE"
    truncate -s 7000000 "$set/EXE/TORVEX.EXE"  # still the product after the upgrade
    printf 'nou: vantir\r\n' >"$set/EXE/VANTIR.EXE"
    printf 'nou: motor\r\n' >"$set/EXE/IDAPI32.CFG"
    printf 'nou: firma\r\n' >"$set/DBDAT/DATA/FIRMA.DB"
    printf 'nou: baza noua\r\n' >"$set/DBDAT/DATA/NOU.DB"
    printf 'nou: martor\r\n' >"$set/DBDAT/NEW/DATA/X.DB"
    printf 'nou: luna\r\n' >"$set/DBNEW/new/luna/l.db"
    printf 'nou: help\r\n' >"$set/HELP/TORVEX.HLP"
    local name
    for name in EXE DBDAT DBNEW HELP; do
        rm -f "$media/$name.1"
        (cd "$set/$name" && zip -q -r -X -D "$media/$name.1" .) || fail "zip could not write $name.1"
    done
}

# upgrade_journal: the stand-in upgrade library's journal, kept outside the working folder,
# which goes when the run ends.
export UPGRADE_JOURNAL='C:\UPGRADE-JOURNAL.LOG'
upgrade_journal() {
    tr -d '\r' <"$(cpath "$UPGRADE_JOURNAL")"
}

# The locate page's window, and what it shows.
E2E_LOCATE_TITLE="Apasati 'Continua' pentru a localiza aplicatia!"
# locate_shows LINE: one of the locate page's controls shows exactly this text.
locate_shows() { drv_try texts "$E2E_LOCATE_TITLE" | tr -d '\r' | grep -q -x -F -- "$1"; }
# locate_searching: the search runs (the Program row's browse button waits for it, as
# the Date row's always does).
locate_searching() { [[ $(drv_try tree "$E2E_LOCATE_TITLE" | grep -c 'disabled "Cauta..."') == 2 ]]; }

# use_drive LETTER UNIXDIR TYPE: LETTER: shows UNIXDIR as a drive of TYPE (hd, network,
# floppy, cdrom); the server is restarted to read the type.
use_drive() {
    set_reg 'HKLM\Software\Wine\Drives' "${1,,}:" "$3"
    mkdir -p "$2"
    insert_disk "$1" "$2"
    e2e_restart_wine
}

# damage_first_member FILE: one byte of the first member's data flipped in a ZIP piece, so
# that the member fails its CRC.
damage_first_member() {
    python3 - "$1" <<'PY' || fail "cannot damage $1"
import sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
name_length = data[26] | data[27] << 8
data[30 + name_length + 2] ^= 0x55
open(path, "wb").write(data)
PY
}

# folder_listing HOSTFOLDER: every file of the folder with its MD5, then every folder: what
# "as it was, file for file" compares.
folder_listing() {
    (cd "$1" && find . -type f -print0 | sort -z | xargs -0 md5sum; find . -type d | sort)
}

# kill_working_copy: the working copy of this scenario's machine ended at once, as a
# crash or a power cut would end it, and waited for.
kill_working_copy() {
    local pid
    pid=$(machine_pid 'INSTTORV\.EXE')
    [[ -n $pid ]] || fail "no process for INSTTORV.EXE"
    kill -KILL "$pid"
    drv wait-process-gone INSTTORV.EXE 30
}

# start_upgrade_copy PROGRAM-FOLDER [NAME]: INSTALL.EXE started from C:\MEDIA as the run
# NAME (default media; "floppies" starts it from drive A:) with the run log, the locate
# page through to the folder found, and Continue on the upgrade copy page.
start_upgrade_copy() {
    if [[ ${2:-} == floppies ]]; then start_from_drive floppies a; else start_installer "${2:-media}" -log x; fi
    drv wait-window "$E2E_LOCATE_TITLE" 60 >/dev/null
    drv click "$E2E_LOCATE_TITLE" "&Continua"
    wait_until 60 "the program folder found" locate_shows "$1"
    drv click "$E2E_LOCATE_TITLE" "&Continua"
    drv wait-window "$E2E_UPGRADE_COPY_TITLE" 30 >/dev/null
    drv click "$E2E_UPGRADE_COPY_TITLE" "&Continua"
}
E2E_UPGRADE_COPY_TITLE="Copiere fisiere Torvex"
E2E_DATABASE_TITLE="Actualizare baza de date"

# start_database_upgrade PROGRAM-FOLDER [NAME]: as start_upgrade_copy, then Continue on
# the database upgrade page once the copy is done.
start_database_upgrade() {
    start_upgrade_copy "$@"
    drv wait-window "$E2E_DATABASE_TITLE" 120 >/dev/null
    drv click "$E2E_DATABASE_TITLE" "&Continua"
}

# The box after the database steps when one failed (UPGRADE_FAIL for the stand-in).
E2E_FAILED_STEP_TITLE="Actualizare incompleta"

# use_small_drive LETTER MEGABYTES: a tmpfs of that size as the fixed drive LETTER:, at
# $E2E_WORK/small; unmounted on every way out of the scenario (lazily, since Wine may still
# hold its root).
use_small_drive() {
    E2E_SMALL_DRIVE="$E2E_WORK/small"
    mkdir -p "$E2E_SMALL_DRIVE"
    mount -t tmpfs -o "size=${2}m" tmpfs "$E2E_SMALL_DRIVE" || fail "cannot mount a tmpfs (root is needed)"
    trap 'umount -l "$E2E_SMALL_DRIVE" 2>/dev/null' EXIT
    use_drive "$1" "$E2E_SMALL_DRIVE" hd
}
