"""Where the product's files go on the machine, for the peer installers: the same places
INSTALL.EXE puts them in a LOCAL installation into C:\\WinTorv."""
import pathlib

PROGRAM_DIR = "C:\\WinTorv"
ENGINE_SUBDIR = "Borland\\Common Files\\BDE"  # under the Program Files folder
GROUP = "WinTORVEX"
SHORTCUTS = {"Torvex": "TORVEX.EXE", "Vantir": "VANTIR.EXE", "Mirdan": "MIRDAN.EXE"}
LAST_USER = ("Torvex", "LastUser", "Master")  # WIN.INI section, key, value
ENGINE_COMPONENT = "BDE32"
COMPONENTS = ["EXE", "VANTIR", "DBDAT", "DBNEW", "BDE32", "HELP", "MIRDAN"]


def files_by_folder(product: pathlib.Path, component: str) -> dict:
    """The component's files grouped by their folder relative to where it unpacks
    ("" for that folder itself), in a fixed order."""
    root = product / component
    groups = {}
    for path in sorted(p for p in root.rglob("*") if p.is_file()):
        folder = path.parent.relative_to(root).as_posix()
        groups.setdefault("" if folder == "." else folder.replace("/", "\\"), []).append(path)
    return groups


def bde_reg_lines(product: pathlib.Path) -> list:
    return (product / ENGINE_COMPONENT / "bde.reg").read_text().splitlines()
