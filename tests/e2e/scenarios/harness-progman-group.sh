# The Wine desktop of every scenario answers the Program Manager's DDE service, as the
# installer's configuration page needs: a group asked for becomes a Start Menu folder,
# and its items become links in it.

win_run "$E2E_PROBE" progman '[CreateGroup(WinTorvex Proba)]'
expect_equal "$WIN_EXIT_CODE" 0 "CreateGroup through DDE"
group=$(program_group_dir "WinTorvex Proba") || fail "no Start Menu folder for the group"

win_run "$E2E_PROBE" progman '[AddItem(C:\windows\notepad.exe,Notepad de proba)]'
expect_equal "$WIN_EXIT_CODE" 0 "AddItem through DDE"
wait_until 10 "the item's link is in the group" test -f "$group/Notepad de proba.lnk"
