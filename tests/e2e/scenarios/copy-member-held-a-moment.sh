# A file the copy is about to replace is held by another program for a moment, as an
# antivirus holds a file it scans: C:\WinTorv keeps TORVEX.EXE from an earlier copy, the
# member is unpacked beside it and then renamed over it, and that rename meets the hold
# (the probe opens the file with no sharing at all). The run log notes the wait once;
# the hold ends once that note is seen, the rename goes through, and the unattended
# installation ends with 0 with the member's bytes in place.

source "$E2E_REPO/tests/e2e/unattended.sh"

stage_cd
write_answers 'C:\deploy\local.ini' '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
program=$(cpath 'C:\WinTorv')
mkdir -p "$program"
printf 'an earlier TORVEX.EXE\r\n' >"$program/TORVEX.EXE"
report="$E2E_WORK/lock.txt"
win_start holder "$E2E_PROBE" lock 'C:\WinTorv\TORVEX.EXE' "$(winpath "$report")"
wait_until 30 "TORVEX.EXE held" grep -q locked "$report"

note='Astept fisierul tinut deschis de alt program: C:\WinTorv\TORVEX.EXE'
win_start install --cwd "$E2E_WORK" 'D:\INSTALL.EXE' -auto 'C:\deploy\local.ini'
wait_until 180 "the copy waits for TORVEX.EXE" eval 'run_log | grep -qF "$note"'
: >"$report.release"
win_wait_exit holder 30
win_wait_exit install "$UNATTENDED_SECONDS"
expect_exit 0 "the installation whose member was held a moment"
cmp -s "$E2E_SAMPLE_MEDIA/product/EXE/TORVEX.EXE" "$program/TORVEX.EXE" || fail "TORVEX.EXE is not the product's"
expect_equal "$(run_log | grep -cF "$note")" 1 "notes of the wait"
