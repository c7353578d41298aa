# The harness reads back what Windows programs wrote: registry values through
# "reg query" (blanks and backslashes kept, missing values reported as missing) and
# WIN.INI values written with WriteProfileString.

key='HKLM\Software\Torvex Proba'
set_reg "$key" Cale 'C:\Program Files\Torvex Proba\'
set_reg "$key" Gol ''
expect_equal "$(reg_value "$key" Cale)" 'C:\Program Files\Torvex Proba\'
expect_equal "$(reg_value "$key" cale)" 'C:\Program Files\Torvex Proba\' "names without regard to case"
expect_equal "$(reg_value "$key" Gol)" ''
if reg_value "$key" Lipsa >/dev/null; then fail "a missing value was read"; fi
if reg_value 'HKLM\Software\Nu Exista' Cale >/dev/null; then fail "a missing key was read"; fi

win_run "$E2E_PROBE" profile Torvex User "Administrator de proba"
expect_equal "$WIN_EXIT_CODE" 0 "WriteProfileString"
expect_equal "$(win_ini_value Torvex User)" "Administrator de proba"
expect_equal "$(win_ini_value torvex user)" "Administrator de proba" "names without regard to case"
if win_ini_value Torvex Lipsa >/dev/null; then fail "a missing WIN.INI key was read"; fi
