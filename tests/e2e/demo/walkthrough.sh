# The demo: a fresh installation of the sample product from its three floppies, as a
# user starts it from drive A:. The media instance relaunches itself from %TEMP%; then
# every window the working copy shows is photographed and answered the way a user going
# forward would answer it (Continua, Da, OK; Renunt where nothing else goes on), until
# the program ends. When the copy page asks for a disk, that disk goes into A: first.

# The copy page's disk box: the floppy it asks for goes into drive A:.
copy_page_disk_box() {
    local disk
    disk=$(drv_try texts "Atentie !" | sed -n 's/.*introdu discul de instalare cu numarul[^0-9]*\([0-9][0-9]*\)$/\1/p' | head -n 1)
    [[ -n $disk ]] || return 0
    insert_floppy "$disk"
    echo "demo: disk $disk inserted in A:"
}

without_engine
stage_floppies
start_from_drive media a

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
    [[ $window != "Atentie !" ]] || copy_page_disk_box
    for caption in "&Continua" "&Da" "O&K" "&Renunt"; do
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
