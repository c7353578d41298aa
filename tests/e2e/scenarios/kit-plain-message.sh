# The platform's plain message dialog (the copy pages' "Nu pot sterge " notice): a
# window of the system titled with the program's name, the text and one OK button that
# closes it.

requires "$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE"
win_start plain "$E2E_BUILD/tests/e2e/kitdemo/KITDEMO.EXE" plain 'Nu pot sterge C:\WinTorv\EXE.ZIP'
drv wait-window "KITDEMO" 30 >/dev/null
texts=$(drv texts "KITDEMO")
expect_contains "$texts" 'Nu pot sterge C:\WinTorv\EXE.ZIP'
expect_contains "$texts" "OK"
shot "plain message dialog" >/dev/null
drv click "KITDEMO" "OK"
win_wait_exit plain 20
