# The program's bindings of UPGRADE.DLL and IDAPI32.DLL, called for real on this build's
# width: every upgrade entry point with the register convention (argument in EAX, byte in
# AL, boolean in AL, the report procedure called back), every engine operation with
# stdcall by name and by ordinal; each value checked in both directions by ABICHECK.EXE.
# tags: shipped
checker="$E2E_BUILD/tests/e2e/abicheck/ABICHECK.EXE"
requires "$checker" "$E2E_UPGRADE_STANDIN" "$E2E_ENGINE_STANDIN"
folder=$(cpath 'C:\ABI')
mkdir -p "$folder/DATA"
cp "$checker" "$E2E_UPGRADE_STANDIN" "$E2E_ENGINE_STANDIN" "$folder/"
printf 'TORVEX=C:\\ABI\\DATA\r\n' >"$folder/IDAPI32.CFG"

# The engine is found through its DLLPATH, as the program finds it.
set_reg "$E2E_ENGINE_KEY" DLLPATH 'C:\ABI'
status=0
output=$(cd "$folder" && win_output 'C:\ABI\ABICHECK.EXE') || status=$?
printf '%s\n' "$output" >"$E2E_WORK/abicheck.txt"
expect_contains "$output" "ABICHECK $E2E_BITS-bit"
failed=$(grep -E '^FAIL' <<<"$output" | tr -d '\r' | head -2 | paste -sd ';' || true)
[[ -z $failed ]] || fail "$failed"
expect_equal "$status" 0 "ABICHECK.EXE's exit code"
expect_contains "$output" "0 failed"
