"""Where the watched run's processor time went, from perf's samples (about one a
millisecond of processor time): per process, and within the working copy per kind of
code, each phase apart."""
import collections
import subprocess

SAMPLE_MS = 1000 / 999
# The working copy's code by the file it runs from.
KINDS = [
    ("kernel", ("[kernel.kallsyms]",)),
    ("window system", ("win32u", "winex11", "libX", "libxcb", "user32", "gdi32", "comctl32", "uxtheme",
                       "imm32", "libfreetype", "libfontconfig", "libpixman", "libXext", "libXrender")),
    # Code Wine loaded into memory of its own (the program, not a file perf can name).
    ("the program", ("/tmp/perf-", "[JIT]", "[unknown]", "//anon")),
]
PROCESS_GROUPS = [("working copy", ("INSTTORV.EXE",)), ("Wine server", ("wineserver",)), ("X server", ("Xvfb",))]


def samples(data: str, offset: float) -> list:
    """(wall time, process, library) of each sample; offset turns perf's monotonic clock
    into the wall clock."""
    try:
        text = subprocess.run(["perf", "script", "-i", data, "-F", "comm,time,ip,dso"], check=True,
                              capture_output=True, text=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return []
    out = []
    for line in text.splitlines():
        head, _, rest = line.partition(":")
        parts = head.split()
        if len(parts) < 2:
            continue
        try:
            moment = float(parts[-1]) + offset
        except ValueError:
            continue
        library = rest.strip().split(" ", 1)[-1].strip("()")
        out.append((moment, " ".join(parts[:-1]), library))
    return out


def group_of(process: str) -> str:
    for name, prefixes in PROCESS_GROUPS:
        if process.startswith(prefixes):
            return name
    return "other processes"


def kind_of(library: str) -> str:
    for name, needles in KINDS:
        if any(needle in library for needle in needles):
            return name
    return "rest of Wine and the C library"


def breakdown(all_samples: list, start: float, end: float) -> collections.Counter:
    """Milliseconds of processor time between start and end: per process group, and for
    the working copy also per kind of code ("working copy: kernel", ...)."""
    out = collections.Counter()
    for moment, process, library in all_samples:
        if start <= moment < end:
            group = group_of(process)
            out[group] += SAMPLE_MS
            if group == "working copy":
                out["working copy: " + kind_of(library)] += SAMPLE_MS
    return out


def clock_offset(path: str) -> float:
    with open(path) as tsv:
        wall, monotonic = map(float, tsv.readline().split())
    return wall - monotonic
