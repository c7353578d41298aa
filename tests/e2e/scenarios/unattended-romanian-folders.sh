# On a Romanian machine (the locale ro_RO, ANSI code page 1250) a data folder with "ă"
# reaches the database engine in that code page: an unattended SERVER installation into
# C:\Firmă ends with 0 and its alias holds the byte 0xE3. A folder with "ș" (comma below,
# in no ANSI code page) is refused before anything is written: exit 2, and the log names
# the folder and the letter.

source "$E2E_REPO/tests/e2e/unattended.sh"

# The locale is made into the scenario's own folder (LOCPATH): the machine stays as it is.
locales="$E2E_WORK/locales"
mkdir -p "$locales"
localedef -i ro_RO -f UTF-8 "$locales/ro_RO.UTF-8" >>"$E2E_WORK/wine.log" 2>&1 || fail "localedef ro_RO.UTF-8 failed"
export LOCPATH=$locales LC_ALL=ro_RO.UTF-8
e2e_restart_wine

stage_cd
write_answers 'C:\deploy\iasi.ini' '[Instalare]' 'Tip=SERVER' 'Program=C:\WinTorv' 'Date=C:\Iași'
run_unattended iasi 'D:\INSTALL.EXE' -auto 'C:\deploy\iasi.ini'
expect_exit 2 "a data folder with a letter outside the code page"
expect_contains "$(run_log)" 'Directorul C:\Iași contine litere pe care baza de date nu le poate folosi pe acest calculator: ș'
expect_no_file "$(cpath 'C:\Iași')"
nothing_installed

write_answers 'C:\deploy\firma.ini' '[Instalare]' 'Tip=SERVER' 'Program=C:\WinTorv' 'Date=C:\Firmă'
run_unattended firma 'D:\INSTALL.EXE' -auto 'C:\deploy\firma.ini'
expect_exit 0 "a data folder with a letter of the code page"
expect_file "$(cpath 'C:\Firmă')/DATA/FIRMA.DB"
expect_equal "$(LC_ALL=C engine_alias TORVEX | od -An -tx1 | tr -d ' \n')" \
    "$(printf 'C:\\Firm\xe3\\DATA\n' | od -An -tx1 | tr -d ' \n')" "the alias TORVEX in code page 1250"
