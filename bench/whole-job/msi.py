#!/usr/bin/env python3
"""The Windows Installer peer: an MSI package of the bench's product built with wixl, its
files in one MSZIP cabinet inside the package, one component per file (as WiX's heat
writes them), installed where INSTALL.EXE puts them (for all users: InstallScope perMachine), with the engine's registry values
(bde.reg's, the Program Files folder in place of $ProgDir$) and the group's three
shortcuts. msiexec enters it in the list of programs by itself.

usage: msi.py PRODUCT ARCH OUT.MSI      ARCH: x86 or x64 (the package's and msiexec's width)
"""
import pathlib
import re
import subprocess
import sys
import uuid
from xml.sax.saxutils import quoteattr

import layout

NAMESPACE = uuid.UUID("6b1d7c3e-2f64-4d1e-9a0c-54a7e1f0b201")


def guid(name: str) -> str:
    return str(uuid.uuid5(NAMESPACE, name)).upper()


def identifier(text: str) -> str:
    return "I" + re.sub(r"[^A-Za-z0-9_.]", "_", text)[-60:] + "_" + guid(text)[:8]


class Tree:
    """Nested <Directory> elements with their components, written once all are known."""

    def __init__(self):
        self.children, self.components = {}, []

    def at(self, names):
        node = self
        for name in names:
            node = node.children.setdefault(name, Tree())
        return node

    def xml(self, path, ids):
        out = []
        for name, child in self.children.items():
            here = path + [name]
            directory_id = ids.get("\\".join(here), identifier("D" + "\\".join(here)))
            attribute = "" if directory_id in ("ProgramFilesFolder", "ProgramFiles64Folder", "ProgramMenuFolder") \
                else f" Name={quoteattr(name)}"
            out.append(f"<Directory Id={quoteattr(directory_id)}{attribute}>")
            out += child.components
            out += child.xml(here, ids)
            out.append("</Directory>")
        return out


def wxs(product: pathlib.Path, arch: str) -> str:
    win64 = "yes" if arch == "x64" else "no"
    program_files = "ProgramFiles64Folder" if arch == "x64" else "ProgramFilesFolder"
    program = layout.PROGRAM_DIR.split("\\")[1:]
    engine = [program_files] + layout.ENGINE_SUBDIR.split("\\")
    group = ["ProgramMenuFolder", layout.GROUP]
    ids = {"\\".join(program): "INSTALLDIR", "\\".join(engine): "ENGINEDIR", program_files: program_files,
           "ProgramMenuFolder": "ProgramMenuFolder", "\\".join(group): "GROUPDIR"}
    tree, refs = Tree(), []
    for component in layout.COMPONENTS:
        base = engine if component == layout.ENGINE_COMPONENT else program
        for folder, files in layout.files_by_folder(product, component).items():
            node = tree.at(base + (folder.split("\\") if folder else []))
            for path in files:
                if path.name == "bde.reg":
                    continue
                key = f"{component}/{path.relative_to(product / component).as_posix()}"
                component_id = identifier("C" + key)
                node.components.append(
                    f"<Component Id={quoteattr(component_id)} Guid={quoteattr(guid(key))} Win64=\"{win64}\">"
                    f"<File Id={quoteattr(identifier('F' + key))} Name={quoteattr(path.name)} "
                    f"Source={quoteattr(path.relative_to(product).as_posix())} KeyPath=\"yes\"/></Component>")
                refs.append(component_id)
    registry = []
    reg_key = None
    for line in layout.bde_reg_lines(product):
        if line.startswith("[HKEY_LOCAL_MACHINE\\"):
            reg_key = line[len("[HKEY_LOCAL_MACHINE\\"):-1]
        elif line.startswith('"') and reg_key:
            name, value = (part.strip('"') for part in line.split("=", 1))
            value = value.replace("\\\\", "\\").replace("$ProgDir$\\", f"[{program_files}]")
            registry.append(f"<RegistryValue Root=\"HKLM\" Key={quoteattr(reg_key)} Name={quoteattr(name)} "
                            f"Value={quoteattr(value)} Type=\"string\"/>")
    tree.at(engine).components.append(
        f"<Component Id=\"EngineRegistry\" Guid={quoteattr(guid('registry'))} Win64=\"{win64}\">"
        f"<RegistryKey Root=\"HKLM\" Key=\"Software\\WinTORVEX\"><RegistryValue Name=\"Engine\" "
        f"Value=\"[ENGINEDIR]\" Type=\"string\" KeyPath=\"yes\"/></RegistryKey>" + "".join(registry) + "</Component>")
    shortcuts = "".join(f"<Shortcut Id={quoteattr('S' + name)} Name={quoteattr(name)} "
                        f"Target=\"[INSTALLDIR]{target}\" WorkingDirectory=\"INSTALLDIR\"/>"
                        for name, target in layout.SHORTCUTS.items())
    tree.at(group).components.append(
        f"<Component Id=\"Shortcuts\" Guid={quoteattr(guid('shortcuts'))} Win64=\"{win64}\">{shortcuts}"
        f"<RemoveFolder Id=\"RemoveGroup\" On=\"uninstall\"/><RegistryValue Root=\"HKCU\" "
        f"Key=\"Software\\WinTORVEX\" Name=\"Shortcuts\" Type=\"integer\" Value=\"1\" KeyPath=\"yes\"/></Component>")
    refs += ["EngineRegistry", "Shortcuts"]
    body = "\n".join(tree.xml([], ids))
    component_refs = "\n".join(f"<ComponentRef Id={quoteattr(ref)}/>" for ref in refs)
    return f"""<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
<Product Id={quoteattr(guid('product'))} Name="WinTORVEX" Language="1033" Version="1.0.0"
         Manufacturer="Torvex" UpgradeCode={quoteattr(guid('upgrade'))}>
<Package InstallerVersion="200" Compressed="yes" InstallScope="perMachine"/>
<Media Id="1" Cabinet="product.cab" EmbedCab="yes"/>
<Directory Id="TARGETDIR" Name="SourceDir">
{body}
</Directory>
<Feature Id="Complete" Level="1">
{component_refs}
</Feature>
</Product>
</Wix>
"""


def main() -> None:
    if len(sys.argv) != 4 or sys.argv[2] not in ("x86", "x64"):
        sys.exit(__doc__)
    product, arch, out = pathlib.Path(sys.argv[1]).resolve(), sys.argv[2], pathlib.Path(sys.argv[3]).resolve()
    source = out.with_suffix(".wxs")
    source.write_text(wxs(product, arch))
    # wixl takes the files' sources relative to the folder it runs in.
    subprocess.run(["wixl", "-a", arch, "-o", str(out), str(source)], check=True, cwd=product)


if __name__ == "__main__":
    main()
