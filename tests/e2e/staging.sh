# Staging for the installer's scenarios: the installation media in a folder of the
# prefix, and the stand-in database engine registered as the real one is. Sourced by
# lib.sh; uses its helpers.

E2E_INSTALLER="$E2E_BUILD/app/INSTALL.EXE"
E2E_ENGINE_STANDIN="$E2E_BUILD/standins/idapi32/IDAPI32.DLL"
E2E_UPGRADE_STANDIN="$E2E_BUILD/standins/upgrade/UPGRADE.DLL"

# Where the stand-in engine is put, as the engine's own set-up would, and where the program
# unpacks the sample engine: under the Program Files folder of the build's registry view.
E2E_ENGINE_DIR="$E2E_PROGRAM_FILES\\Borland\\Common Files\\BDE"
E2E_ENGINE_KEY='HKLM\Software\Borland\Database Engine'

# requires FILE...: the scenario needs these build products.
requires() {
    local file
    for file in "$@"; do
        [[ -f $file ]] || fail "not built: ${file#"$E2E_BUILD"/}"
    done
}

# stage_media [--upgrade-dll] [--disks N] [FOLDER]: an installation folder (default
# 'C:\MEDIA\') with INSTALL.EXE, INSTALL.CFG ([General] NrDiscuri=N, default 3) and
# UPGRADE.1, a ZIP archive holding README.TXT and, with --upgrade-dll, the stand-in
# UPGRADE.DLL.
stage_media() {
    local withDll=false disks=3
    while [[ ${1:-} == --* ]]; do
        case $1 in
            --upgrade-dll) withDll=true; shift ;;
            --disks) disks=$2; shift 2 ;;
            *) fail "stage_media: unknown option $1" ;;
        esac
    done
    local target=${1:-} folder
    [[ -n $target ]] || target='C:\MEDIA\'
    folder=$(cpath "$target")
    requires "$E2E_INSTALLER"
    mkdir -p "$folder"
    cp "$E2E_INSTALLER" "$folder/INSTALL.EXE"
    printf '[General]\r\nNrDiscuri=%s\r\n' "$disks" >"$folder/INSTALL.CFG"

    local content="$E2E_WORK/upgrade-set"
    rm -rf "$content"
    mkdir -p "$content"
    printf 'WinTORVEX: fisierele de actualizare.\r\n' >"$content/README.TXT"
    if $withDll; then
        requires "$E2E_UPGRADE_STANDIN"
        cp "$E2E_UPGRADE_STANDIN" "$content/UPGRADE.DLL"
    fi
    rm -f "$folder/UPGRADE.1"
    (cd "$content" && zip -q -X "$folder/UPGRADE.1" ./*) || fail "zip could not write UPGRADE.1"
}

# install_engine NAME='C:\PATH' ...: the stand-in engine in its folder, found through
# the registry value DLLPATH, holding these aliases; each alias folder is created so
# that its database opens.
install_engine() {
    requires "$E2E_ENGINE_STANDIN"
    local folder
    folder=$(cpath "$E2E_ENGINE_DIR")
    mkdir -p "$folder"
    cp "$E2E_ENGINE_STANDIN" "$folder/IDAPI32.DLL"
    : >"$folder/IDAPI32.CFG"
    local alias
    for alias in "$@"; do
        [[ $alias == *=* ]] || fail "install_engine: expected NAME=PATH, got $alias"
        printf '%s\r\n' "$alias" >>"$folder/IDAPI32.CFG"
        mkdir -p "$(cpath "${alias#*=}")"
    done
    set_reg "$E2E_ENGINE_KEY" DLLPATH "$E2E_ENGINE_DIR"
}

# start_installer NAME [ARGS...]: INSTALL.EXE from the media folder 'C:\MEDIA\', started
# the way a user starts it there.
start_installer() {
    local name=$1
    shift
    win_start "$name" --cwd "$(cpath 'C:\MEDIA')" 'C:\MEDIA\INSTALL.EXE' "$@"
}

# work_folder UNIXDIR: the working folder the media instance made there (WinTORVEX- and
# 16 hexadecimal digits); fails unless there is exactly one.
work_folder() {
    local found=("$1"/WinTORVEX-????????????????)
    [[ ${#found[@]} == 1 && -d ${found[0]} ]] || fail "expected one working folder in $1: ${found[*]}"
    printf '%s\n' "${found[0]}"
}

# expect_no_work_folder UNIXDIR: no working folder was left there.
expect_no_work_folder() {
    local found=("$1"/WinTORVEX-*)
    [[ ! -e ${found[0]} ]] || fail "a working folder was left in $1: ${found[*]}"
}

# engine_alias NAME: the folder of a database alias as the stand-in engine keeps it
# (IDAPI32.CFG beside the library); fails when the alias is not there.
engine_alias() {
    local file
    file="$(cpath "$E2E_ENGINE_DIR")/IDAPI32.CFG"
    [[ -f $file ]] || return 1
    awk -v name="$1" 'BEGIN { FS = "="; IGNORECASE = 1 }
        { sub(/\r$/, "") }
        tolower($1) == tolower(name) { sub(/^[^=]*=/, ""); print; found = 1; exit }
        END { exit !found }' "$file"
}

# program_group_dir NAME: the folder that the Program Manager's CreateGroup made for the
# group NAME (under a Start Menu's Programs); fails when there is none.
program_group_dir() {
    local found
    found=$(find "$DRIVE_C" -type d -path "*/Start Menu/Programs/$1" -print -quit 2>/dev/null)
    [[ -n $found ]] || return 1
    printf '%s\n' "$found"
}

# ---------------------------------------------------------------- the sample product

# The sample product's media as the win64 build made them (tools/mkmedia).
E2E_SAMPLE_MEDIA="$E2E_BUILD/sample-media"

# without_engine: the registry holds no key of a database engine. Wine's own prefix
# carries one (Settings\SYSTEM\INIT, for old programs) without an engine; scenarios
# start from it, and only those about an empty registry remove it.
without_engine() {
    win_run reg delete 'HKLM\Software\Borland' /f
    (( WIN_EXIT_CODE == 0 )) || fail "cannot remove Wine's engine key"
}

# stage_floppies: a copy of the three-floppy set; drive A: becomes a floppy drive with
# disk 1 in it.
stage_floppies() {
    requires "$E2E_SAMPLE_MEDIA/verify-floppy.txt"
    rm -rf "$E2E_WORK/floppy"
    cp -r "$E2E_SAMPLE_MEDIA/floppy" "$E2E_WORK/floppy"
    use_removable_drive a "$E2E_WORK/floppy/disk1"
}

# insert_floppy N: disk N of the set goes into drive A:.
insert_floppy() {
    insert_disk a "$E2E_WORK/floppy/disk$1"
}

# stage_cd [FOLDER]: a copy of the sample CD folder (or of FOLDER, a CD folder made by
# mkmedia) in drive D:, a CD-ROM drive.
stage_cd() {
    local media=${1:-$E2E_SAMPLE_MEDIA/cd}
    [[ -n ${1:-} ]] || requires "$E2E_SAMPLE_MEDIA/verify-cd.txt"
    rm -rf "$E2E_WORK/cd"
    cp -r "$media" "$E2E_WORK/cd"
    set_reg 'HKLM\Software\Wine\Drives' 'd:' cdrom
    insert_disk d "$E2E_WORK/cd"
    e2e_restart_wine
}

# start_from_drive NAME LETTER: INSTALL.EXE started from the root of that drive, as a user
# starts it there; the media instance ends once its working copy runs.
start_from_drive() {
    local name=$1 letter=${2^^}
    win_start "$name" --cwd "$E2E_WORK" "$letter:\\INSTALL.EXE"
    win_wait_exit "$name" 60
    drv wait-process INSTTORV.EXE 30 >/dev/null || fail "the working copy did not start"
}
