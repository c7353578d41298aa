#!/usr/bin/env python3
"""The NSIS peer: an NSIS 3 installer of the bench's product (zlib, not solid), which puts
the files where INSTALL.EXE does, writes bde.reg with the Program Files folder in place of
$ProgDir$ and imports it with regedit, writes the WIN.INI value, makes the group's three
shortcuts and the list-of-programs entry (with its uninstaller). Runs silently with /S.

usage: nsis.py PRODUCT OUT.EXE
"""
import pathlib
import subprocess
import sys

import layout


def nsis_text(text: str) -> str:
    """A string for the script: backquoted, with NSIS's own $ escaped."""
    return "`" + text.replace("$", "$$") + "`"


def script(product: pathlib.Path, out: pathlib.Path) -> str:
    lines = ["Unicode true", "Name WinTORVEX", f"OutFile {nsis_text(str(out))}",
             "SetCompressor zlib", "RequestExecutionLevel admin",
             f"InstallDir {nsis_text(layout.PROGRAM_DIR)}", "Page directory", "Page instfiles",
             "Var ProgDir",
             # $0 with every backslash doubled, as registry files write it, into $ProgDir.
             "Function DoubleBackslashes", '  StrCpy $ProgDir ""', "  StrCpy $1 0", "  next:",
             "  StrCpy $2 $0 1 $1", '  StrCmp $2 "" done', '  StrCmp $2 "\\" 0 +2',
             '  StrCpy $ProgDir "$ProgDir\\"', '  StrCpy $ProgDir "$ProgDir$2"', "  IntOp $1 $1 + 1",
             "  Goto next", "  done:", "FunctionEnd",
             "Section", "SetShellVarContext all"]
    engine_dir = f"$PROGRAMFILES\\{layout.ENGINE_SUBDIR}"
    for component in layout.COMPONENTS:
        base = engine_dir if component == layout.ENGINE_COMPONENT else "$INSTDIR"
        for folder, files in layout.files_by_folder(product, component).items():
            lines.append(f'SetOutPath "{base}{chr(92) + folder if folder else ""}"')
            lines += [f"File {nsis_text(str(path))}" for path in files if path.name != "bde.reg"]
    lines += ["StrCpy $0 $PROGRAMFILES", "Call DoubleBackslashes",
              f'FileOpen $3 "{engine_dir}\\bde.reg" w']
    for line in layout.bde_reg_lines(product):
        parts = [nsis_text(part)[1:-1] for part in line.split("$ProgDir$", 1)]
        lines.append("FileWrite $3 `" + "$ProgDir".join(parts) + "$\\r$\\n`")
    section, key, value = layout.LAST_USER
    group = f"$SMPROGRAMS\\{layout.GROUP}"
    lines += ["FileClose $3",
              f"ExecWait 'regedit /s \"{engine_dir}\\bde.reg\"'",
              f'WriteINIStr "$WINDIR\\win.ini" "{section}" "{key}" "{value}"',
              f'CreateDirectory "{group}"']
    lines += [f'CreateShortcut "{group}\\{name}.lnk" "$INSTDIR\\{target}"'
              for name, target in layout.SHORTCUTS.items()]
    uninstall_key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WinTORVEX"
    lines += ['WriteUninstaller "$INSTDIR\\uninst.exe"',
              f'WriteRegStr HKLM "{uninstall_key}" "DisplayName" "WinTORVEX"',
              f'WriteRegStr HKLM "{uninstall_key}" "UninstallString" \'"$INSTDIR\\uninst.exe"\'',
              f'WriteRegStr HKLM "{uninstall_key}" "InstallLocation" "$INSTDIR"',
              "SectionEnd",
              "Section Uninstall", "SetShellVarContext all", f'RMDir /r "{group}"',
              f'DeleteRegKey HKLM "{uninstall_key}"', 'RMDir /r "$INSTDIR"', "SectionEnd"]
    return "\n".join(lines) + "\n"


def main() -> None:
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    product, out = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2]).resolve()
    nsi = out.with_suffix(".nsi")
    nsi.write_text(script(product, out))
    subprocess.run(["makensis", "-V2", str(nsi)], check=True)


if __name__ == "__main__":
    main()
