"""What the watched run did to files, from watch.py's events: when the archives were
joined, each component unpacked, the archives deleted, the members read again and the
record written, and how often each member was opened."""
import collections
import pathlib

import layout

WRITE_KINDS = {"create", "close_write", "modify"}
# Members the configuration steps read, write or run, apart from the record.
CONFIGURATION_USES = {"BDE.REG", "IDAPI32.CFG", "IDAPI32.DLL", "HHUPD.EXE", "TREGSVR.EXE", "CFX32.OCX"}


class Events:
    def __init__(self, path: str, drive_c: str):
        self.rows = []
        self.lost = False  # the kernel dropped events: the timeline has holes
        prefix = drive_c.rstrip("/") + "/"
        with open(path) as tsv:
            for line in tsv:
                parts = line.rstrip("\n").split("\t")
                self.lost = self.lost or (len(parts) > 1 and parts[1] == "overflow")
                if len(parts) == 3 and parts[2].startswith(prefix):
                    self.rows.append((float(parts[0]), parts[1], "C:/" + parts[2][len(prefix):]))

    def times(self, kinds, match) -> list:
        return [moment for moment, kind, path in self.rows if kind in kinds and match(path)]


def program_path(path: str) -> bool:
    return path.upper().startswith(layout.PROGRAM_DIR.upper().replace("\\", "/") + "/")


def archive(path: str) -> bool:
    return program_path(path) and path.upper().endswith(".ZIP") and path.count("/") == 2


def members(product: pathlib.Path) -> dict:
    """Installed path (upper case, '/' between names, the engine's under its folder
    whatever the Program Files folder) -> component."""
    out = {}
    for component in layout.COMPONENTS:
        for folder, files in layout.files_by_folder(product, component).items():
            for path in files:
                relative = (folder.replace("\\", "/") + "/" if folder else "") + path.name
                base = "BDE/" if component == layout.ENGINE_COMPONENT else "C:/WINTORV/"
                out[(base + relative).upper()] = component
    return out


def component_of(path: str, table: dict):
    upper = path.upper()
    marker = "/BORLAND/COMMON FILES/BDE/"
    if marker in upper:
        upper = "BDE/" + upper.split(marker, 1)[1]
    return table.get(upper)


def phases(events: Events, product: pathlib.Path) -> list:
    """(what, start, end) in the order they began, in seconds since the epoch."""
    table = members(product)
    joins = events.times({"create", "close_write"}, archive)
    deletes = events.times({"delete"}, archive)
    # The archives go once all is unpacked; the configuration writes bde.reg again later.
    unpacking_over = min(deletes) if deletes else float("inf")
    written = collections.defaultdict(list)
    for moment, kind, path in events.rows:
        component = component_of(path, table)
        if component and kind in WRITE_KINDS and moment <= unpacking_over:
            written[component].append(moment)
    out = []
    if joins:
        out.append(("joining: pieces appended to the archives", min(joins), max(joins)))
    unpacked = [moment for moments in written.values() for moment in moments]
    if joins and unpacked:
        out.append(("archives read for their sizes and the room check", max(joins), min(unpacked)))
    for component in layout.COMPONENTS:
        if written[component]:
            out.append((f"unpacking {component}", min(written[component]), max(written[component])))
    if deletes:
        out.append(("archives deleted", min(deletes), max(deletes)))
    if unpacked:
        end = max(unpacked + deletes)
        reread = [moment for moment, kind, path in events.rows
                  if kind in ("open", "access", "close_nowrite") and moment > end and component_of(path, table)
                  and path.rsplit("/", 1)[-1].upper() not in CONFIGURATION_USES]
        if reread:
            out.append(("members read again (the record's sizes and CRCs)", min(reread), max(reread)))
    record = events.times({"create", "close_write"}, lambda path: program_path(path) and "/DEZINST." in path.upper())
    if record:
        out.append(("record and uninstaller written", min(record), max(record)))
    return sorted(out, key=lambda phase: phase[1])


def opens_per_member(events: Events, product: pathlib.Path) -> dict:
    """How many times each kind of event met a member, per member."""
    table = members(product)
    counts = collections.Counter()
    for _, kind, path in events.rows:
        if component_of(path, table):
            counts[kind] += 1
    return {kind: count / len(table) for kind, count in counts.items()}


def folder_reads(events: Events) -> int:
    """Times the program's folders were opened as folders (each listing, each search for a
    name without regard to case)."""
    return len(events.times({"open/dir"}, program_path))
