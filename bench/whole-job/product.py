#!/usr/bin/env python3
"""The whole-job bench's product: a folder per component, as mkmedia takes it, of about
52 MB in 234 files, made the same way on every run.

usage: product.py STANDINS STRIP OUT
  STANDINS  the stand-ins folder of a Windows build (standins/ of build/win32 or build/win64):
            the engine library and the two component installers the configuration runs
  STRIP     the build's strip (i686-w64-mingw32-strip or x86_64-w64-mingw32-strip)
  OUT       made afresh

Machine code comes from Wine's own Windows libraries (real PE files, stripped of their
debugging sections as a product ships), renamed as the product's programs; the help file
is text, the data tables are fixed-size records, the blank tables their header only.
"""
import pathlib
import random
import shutil
import struct
import subprocess
import sys

# Wine's PE libraries: the 32-bit ones where wine32 is installed, else the 64-bit ones.
WINE_PE_FOLDERS = ["/usr/lib/i386-linux-gnu/wine/i386-windows", "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows"]

# Product file <- Wine libraries whose stripped bytes it is made of, one after another.
MACHINE_CODE = {
    "EXE/TORVEX.EXE": ["shell32.dll", "kernelbase.dll"],
    "EXE/SERVICE.EXE": ["msxml3.dll"],
    "EXE/CFX32.OCX": ["comctl32.dll"],
    "EXE/TORVRAP.DLL": ["mshtml.dll"],
    "VANTIR/VANTIR.EXE": ["wined3d.dll"],
    "MIRDAN/MIRDAN.EXE": ["user32.dll"],
    "BDE32/IDR20009.DLL": ["msi.dll"],
    "BDE32/BLW32.DLL": ["oleaut32.dll"],
}
# Product file <- stand-in that the installers really run or load.
STANDINS = {
    "EXE/HHUPD.EXE": "hhupd/HHUPD.EXE",
    "EXE/TREGSVR.EXE": "tregsvr/TREGSVR.EXE",
    "BDE32/IDAPI32.DLL": "idapi32/IDAPI32.DLL",
}
HELP_BYTES = 5_000_000
DATA_TABLES = 80
RECORD_BYTES = 128
RECORDS_PER_TABLE = (300, 3800)  # uniform between
BLANK_FOLDERS = {"DATA": 60, "FIRMA": 50, "LUNA": 30}  # DBNEW/NEW/<folder>: blank tables
TABLE_HEADER_BYTES = 2048

WORDS = ("contabilitate factura client furnizor sold debit credit jurnal balanta cont TVA plata "
         "incasare data suma total registru casa banca stoc marfa intrare iesire gestiune "
         "amortizare salariu impozit declaratie").split()
BDE_REG = ["REGEDIT4", "",
           r"[HKEY_LOCAL_MACHINE\SOFTWARE\Borland\Database Engine]",
           r'"DLLPATH"="$ProgDir$\\Borland\\Common Files\\BDE"',
           r'"CONFIGFILE01"="$ProgDir$\\Borland\\Common Files\\BDE\\IDAPI32.CFG"', "",
           r"[HKEY_LOCAL_MACHINE\SOFTWARE\Borland\Database Engine\Settings\SYSTEM\INIT]",
           '"VERSION"="4.0"']


def wine_pe_folder() -> pathlib.Path:
    for folder in map(pathlib.Path, WINE_PE_FOLDERS):
        if (folder / "shell32.dll").is_file():
            return folder
    sys.exit("product.py: no Wine PE libraries in " + " or ".join(WINE_PE_FOLDERS))


def stripped(strip: str, library: pathlib.Path, scratch: pathlib.Path) -> bytes:
    target = scratch / library.name
    subprocess.run([strip, "-o", str(target), str(library)], check=True)
    return target.read_bytes()


def table_header(name: str, records: int) -> bytes:
    fields = b"".join(struct.pack("<12sBB", field.encode(), kind, size)
                      for field, kind, size in [("COD", 4, 4), ("DENUMIRE", 1, 40), ("PRET", 6, 8),
                                                ("VALOARE", 6, 8), ("CANTITATE", 4, 4), ("DATA", 2, 4),
                                                ("CONT", 1, 12), ("PARTENER", 1, 8)])
    head = struct.pack("<16sIH", f"TORVEX {name}".encode(), records, RECORD_BYTES) + fields
    return head.ljust(TABLE_HEADER_BYTES, b"\0")


def data_table(name: str) -> bytes:
    rng = random.Random(name)
    count = rng.randint(*RECORDS_PER_TABLE)
    rows = bytearray(table_header(name, count))
    for code in range(1, count + 1):
        label = " ".join(rng.choice(WORDS) for _ in range(rng.randint(1, 4)))[:40]
        account = f"{rng.choice((401, 411, 512, 531, 607, 707))}.{rng.randint(1, 99):02d}"
        quantity, price = rng.randint(1, 500), round(rng.uniform(0.5, 9999), 2)
        partner = "".join(rng.choice("ABCDEFGHJKLMNPRSTUVXZ0123456789") for _ in range(8))
        rows += struct.pack("<i40sddii12s8s", code, label.encode(), price, round(quantity * price * 1.19, 2),
                            quantity, 730000 + rng.randint(0, 3650), account.encode(),
                            partner.encode()).ljust(RECORD_BYTES, b"\0")
    return bytes(rows)


def help_text() -> bytes:
    rng = random.Random("TORVEX.HLP")
    parts, size, chapter = [], 0, 0
    while size < HELP_BYTES:
        chapter += 1
        lines = [f"Capitolul {chapter}: {rng.choice(WORDS)} si {rng.choice(WORDS)}\r\n"]
        for _ in range(rng.randint(5, 30)):
            words = " ".join(rng.choice(WORDS) for _ in range(rng.randint(6, 16)))
            lines.append(f"{words[0].upper()}{words[1:]}, pagina {rng.randint(1, 999)}.\r\n")
        text = "".join(lines)
        parts.append(text)
        size += len(text)
    return "".join(parts).encode()[:HELP_BYTES]


def main() -> None:
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    standins, strip, out = pathlib.Path(sys.argv[1]), sys.argv[2], pathlib.Path(sys.argv[3])
    shutil.rmtree(out, ignore_errors=True)
    scratch = out / ".scratch"
    scratch.mkdir(parents=True)
    wine = wine_pe_folder()

    def put(relative: str, data: bytes) -> None:
        path = out / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)

    for relative, libraries in MACHINE_CODE.items():
        put(relative, b"".join(stripped(strip, wine / library, scratch) for library in libraries))
    for relative, standin in STANDINS.items():
        put(relative, stripped(strip, standins / standin, scratch))
    put("BDE32/IDAPI32.CFG", b"")
    put("BDE32/bde.reg", "".join(line + "\r\n" for line in BDE_REG).encode())
    put("HELP/TORVEX.HLP", help_text())
    for number in range(1, DATA_TABLES + 1):
        put(f"DBDAT/DATA/T{number:03d}.DB", data_table(f"T{number:03d}"))
    for folder, count in BLANK_FOLDERS.items():
        for number in range(1, count + 1):
            name = f"{folder[0]}{number:03d}"
            put(f"DBNEW/NEW/{folder}/{name}.DB", table_header(name, 0))
    shutil.rmtree(scratch)
    files = [p for p in out.rglob("*") if p.is_file()]
    print(f"product: {sum(p.stat().st_size for p in files):,} bytes in {len(files)} files ({wine})")


if __name__ == "__main__":
    main()
