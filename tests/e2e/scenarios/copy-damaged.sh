# A piece with a flipped byte: the extraction of its archive fails, the error box names
# the archive and the damaged file, and the page stays open with its buttons enabled;
# Abandon then ends the program.

source "$E2E_REPO/tests/e2e/copy-page.sh"

stage_cd
# A byte in the middle of TORVEX.EXE's packed data, on the second piece of EXE.ZIP.
piece="$E2E_WORK/cd/EXE.2"
offset=$(( $(stat -c %s "$piece") / 2 ))
byte=$(od -An -tu1 -j "$offset" -N1 "$piece" | tr -d ' ')
printf "$(printf '\\%03o' $(( byte ^ 0x55 )))" | dd of="$piece" bs=1 seek="$offset" conv=notrunc status=none

start_from_drive cd d
walk_to_copy_page
drv click "$COPY_PAGE" "&Continua"
drv wait-window "EROARE !" 180 >/dev/null
shot "the error box over the page at work" >/dev/null
texts=$(drv texts "EROARE !")
expect_contains "$texts" "EROARE LA COPIERE,"
expect_contains "$texts" "Arhiva EXE.ZIP nu a fost decompresata complet:"
expect_contains "$texts" "TORVEX.EXE"
drv click "EROARE !" "O&K"

drv wait-gone "EROARE !" 30
expect_contains "$(drv texts "$COPY_PAGE")" "Copierea nu a reusit."
shot "the page stays open" >/dev/null
drv click "$COPY_PAGE" "&Abandon"
drv wait-process-gone INSTTORV.EXE 60
