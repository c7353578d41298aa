#!/usr/bin/env bash
# Makes the sample product from the stand-ins, and its media: a three-floppy set and a CD
# folder, both verified. For the demo and the end-to-end suite.
#
# usage: sample-product.sh MKMEDIA STANDINS INSTALLER OUT
#   MKMEDIA    the native mkmedia
#   STANDINS   the stand-ins' build folder of a Windows build (standins/ of build/win32 or build/win64)
#   INSTALLER  the INSTALL.EXE to put on disk 1 (Windows files are stripped of symbols here,
#              by $STRIP, the build's own strip)
#   OUT        made afresh: OUT/product, OUT/floppy/disk1..3, OUT/cd
set -euo pipefail
[[ $# -eq 4 ]] || { sed -n '2,10p' "$0" >&2; exit 1; }
mkmedia=$1 standins=$2 installer=$3 out=$4
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$out"
product=$out/product
mkdir -p "$product"/{EXE,VANTIR,MIRDAN,HELP,BDE32} "$product"/DBDAT/DATA \
         "$product"/DBNEW/NEW/{DATA,FIRMA,LUNA}
strip_tool=${STRIP:-x86_64-w64-mingw32-strip}
# A Windows file without its symbols, as it ships.
shipped() {
    cp "$1" "$2"
    if command -v "$strip_tool" >/dev/null; then "$strip_tool" "$2"; fi
}

# The programs: the recording stand-ins where the installer runs them; made-up bodies for
# the others. TORVEX.EXE grows past 6,000,000 bytes with bytes that pack like a real
# program's (some barely, most well).
shipped "$standins/hhupd/HHUPD.EXE" "$product/EXE/HHUPD.EXE"
shipped "$standins/tregsvr/TREGSVR.EXE" "$product/EXE/TREGSVR.EXE"
python3 "$here/sample-bytes.py" program "$product/EXE/HHUPD.EXE" "$product/EXE/TORVEX.EXE"
python3 "$here/sample-bytes.py" module SERVICE "$product/EXE/SERVICE.EXE"
python3 "$here/sample-bytes.py" module CFX32 "$product/EXE/CFX32.OCX"
python3 "$here/sample-bytes.py" module VANTIR "$product/VANTIR/VANTIR.EXE"
python3 "$here/sample-bytes.py" module MIRDAN "$product/MIRDAN/MIRDAN.EXE"
python3 "$here/sample-bytes.py" help - "$product/HELP/TORVEX.HLP"
for table in FIRMA LUNA PARTENER; do
    python3 "$here/sample-bytes.py" table "$table" "$product/DBDAT/DATA/$table.DB"
done
for folder in DATA FIRMA LUNA; do
    python3 "$here/sample-bytes.py" blank "$folder" "$product/DBNEW/NEW/$folder/$folder.DB"
done

# The engine and its registry file: once the configuration page has put the Program Files
# folder in place of $ProgDir$, importing it tells where the engine lives.
shipped "$standins/idapi32/IDAPI32.DLL" "$product/BDE32/IDAPI32.DLL"
printf '' >"$product/BDE32/IDAPI32.CFG"
printf '%s\r\n' 'REGEDIT4' '' \
    '[HKEY_LOCAL_MACHINE\SOFTWARE\Borland\Database Engine]' \
    '"DLLPATH"="$ProgDir$\\Borland\\Common Files\\BDE"' \
    '"CONFIGFILE01"="$ProgDir$\\Borland\\Common Files\\BDE\\IDAPI32.CFG"' '' \
    '[HKEY_LOCAL_MACHINE\SOFTWARE\Borland\Database Engine\Settings\SYSTEM\INIT]' \
    '"VERSION"="4.0"' >"$product/BDE32/bde.reg"

shipped "$installer" "$out/INSTALL.EXE"
shipped "$standins/upgrade/UPGRADE.DLL" "$out/UPGRADE.DLL"
for kind in floppy cd; do
    option=()
    [[ $kind == cd ]] && option=(--cd)
    "$mkmedia" build "${option[@]}" --installer "$out/INSTALL.EXE" --upgrade "$out/UPGRADE.DLL" "$product" "$out/$kind"
done
"$mkmedia" verify "$out/floppy" >"$out/verify-floppy.txt" || { cat "$out/verify-floppy.txt" >&2; exit 1; }
"$mkmedia" verify "$out/cd" >"$out/verify-cd.txt" || { cat "$out/verify-cd.txt" >&2; exit 1; }
disks=$(find "$out/floppy" -maxdepth 1 -name 'disk*' -type d | wc -l)
echo "sample product: $(du -sb "$product" | cut -f1) bytes; floppy set of $disks disks; CD folder"
