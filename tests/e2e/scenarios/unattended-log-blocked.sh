# C:\torvinst.log cannot be written (a folder has taken its name): an unattended LOCAL
# installation waits for no click. Both instances keep their log in torvinst.log of the
# temporary folder instead, each session beginning with a note that says why; the product
# is installed and the run ends with 0.

source "$E2E_REPO/tests/e2e/unattended.sh"

stage_cd
mkdir -p "$(cpath 'C:\torvinst.log')"
write_answers 'C:\deploy\local.ini' '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
run_unattended local 'D:\INSTALL.EXE' -auto 'C:\deploy\local.ini'
expect_equal "$WIN_EXIT_CODE" 0 "the exit code"

log="$(win_temp_dir)/torvinst.log"
expect_file "$log"
expect_count "$log" 'c:\torvinst.log nu se poate scrie' 2
expect_contains "$(tr -d '\r' <"$log")" "Cod de iesire 0: instalat sau actualizat"
cmp -s "$E2E_SAMPLE_MEDIA/product/EXE/TORVEX.EXE" "$(cpath 'C:\WinTorv')/TORVEX.EXE" ||
    fail "TORVEX.EXE is not the product's"
expect_equal "$(engine_alias TORVEX)" 'C:\WinTorv\DATA'
