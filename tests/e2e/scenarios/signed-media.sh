# A signed set, as a vendor makes one: mkmedia build --sign with a throw-away certificate
# that openssl makes here; mkmedia verify --ca names the signer. The set installs
# unattended from drive D:, the uninstaller that the program makes of itself carries the
# signature too, and the list of programs names the product's version, its icon, its size
# and no change or repair. A byte changed in the signed INSTALL.EXE makes verify fail.

source "$E2E_REPO/tests/e2e/uninstall.sh"

mkmedia="$E2E_BUILD/host-mkmedia/tools/mkmedia/mkmedia"
requires "$mkmedia" "$E2E_SAMPLE_MEDIA/verify-cd.txt"
for tool in openssl osslsigncode; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-prereqs.sh installs it)"
done
version=$(sed -n 's/^E2E_VERSION=//p' "$E2E_BUILD/tests/e2e/build.env")

signer='CN=TORVEX Semnatura de proba, O=TORVEX Proba'
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/O=TORVEX Proba/CN=TORVEX Semnatura de proba' \
    -addext extendedKeyUsage=codeSigning -keyout key.pem -out cert.pem 2>>openssl.log
printf 'parola de proba\n' >password.txt
openssl pkcs12 -export -inkey key.pem -in cert.pem -passout file:password.txt -out cert.pfx 2>>openssl.log
"$mkmedia" build --cd --sign cert.pfx --sign-password-file password.txt \
    --installer "$E2E_SAMPLE_MEDIA/INSTALL.EXE" --upgrade "$E2E_SAMPLE_MEDIA/UPGRADE.DLL" \
    "$E2E_SAMPLE_MEDIA/product" signed-cd >mkmedia.log 2>&1 || fail "mkmedia build --sign: $(tail -1 mkmedia.log)"
verified=$("$mkmedia" verify --ca cert.pem signed-cd) || fail "verify refused the signed set: $verified"
expect_contains "$verified" "INSTALL.EXE: signed by $signer: ok"

stage_cd signed-cd
install_unattended signed '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv'
osslsigncode verify -CAfile cert.pem -in "$(cpath 'C:\WinTorv')/DEZINST.EXE" >uninstaller-signature.txt 2>&1 ||
    fail "the uninstaller's signature does not verify: $(tail -1 uninstaller-signature.txt)"

entry=$(win_output reg query "HKLM\\$E2E_PROGRAM_LIST_KEY" | tr -d '\r')
printf '%s\n' "$entry" >list-entry.txt
value_line() { grep -E "^ +$1 +" <<<"$entry" | sed -E 's/^ +//; s/ {4}/|/g'; }
expect_equal "$(value_line DisplayVersion)" "DisplayVersion|REG_SZ|$version"
expect_equal "$(value_line DisplayIcon)" 'DisplayIcon|REG_SZ|C:\WinTorv\DEZINST.EXE,0'
expect_equal "$(value_line NoModify)" 'NoModify|REG_DWORD|0x1'
expect_equal "$(value_line NoRepair)" 'NoRepair|REG_DWORD|0x1'
# The product's programs alone make more than 6,000 KB; the whole folder is the most.
size=$(value_line EstimatedSize)
[[ $size == EstimatedSize\|REG_DWORD\|0x* ]] || fail "EstimatedSize is no DWORD: $size"
kilobytes=$(( ${size##*|} ))
folder=$(du -sk "$(cpath 'C:\WinTorv')" | cut -f1)
(( kilobytes > 6000 && kilobytes <= folder )) || fail "EstimatedSize $kilobytes KB, the folder $folder KB"

python3 -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(5000); b = f.read(1); f.seek(5000); f.write(bytes([b[0] ^ 1]))' \
    signed-cd/INSTALL.EXE
status=0
verified=$("$mkmedia" verify --ca cert.pem signed-cd) || status=$?
expect_equal "$status" 5 "verify's exit status for a changed INSTALL.EXE"
expect_contains "$verified" "the signature does NOT verify (the file was changed after it was signed)"
