#!/usr/bin/env python3
"""Prints the whole-job row of one build from what timing.sh left in OUT: the medians and
the ratios to each peer, where INSTALL.EXE -auto's time goes by its run log (medians over
the runs), a person's run step by step, and the watched run's phases with their
processor time.

usage: row.py OUT
"""
import calendar
import collections
import pathlib
import statistics
import sys
import time

import cpuprofile
import files
import runlog

SIDES = [("auto", "INSTALL.EXE -auto, CD drive D:"), ("nsis", "NSIS 3 installer /S"),
         ("msi", "msiexec /i /qn"), ("person", "a person: type page -> end page"),
         ("engine", "limit: the engine alone (qunzip.exe)")]
PERSON_STEPS = ["type page: LOCAL, Continue", "folders page: Continue", "copy page: Continue",
                "copy, then configuration page: Continue", "configuration, record -> end page seen"]
COLUMNS = ["working copy: the program", "working copy: window system", "working copy: kernel",
           "working copy: rest of Wine and the C library", "Wine server", "X server", "other processes"]
HEADS = ["program", "window", "kernel", "Wine+libc", "server", "X", "others"]


def median(values):
    return statistics.median(values) if values else None


def number(value, digits=3):
    return "-" if value is None else f"{value:.{digits}f}"


def read_times(out: pathlib.Path) -> dict:
    """side -> list of (seconds, processor ms or None)."""
    runs = collections.defaultdict(list)
    for line in (out / "times.tsv").read_text().splitlines():
        side, _, seconds, own, servers = (line.split("\t") + ["-", "-"])[:5]
        cpu = None if "-" in (own, servers) or side == "person" else int(own) + int(servers)
        if side == "person" and servers != "-":
            cpu = int(servers)
        runs[side].append((float(seconds), cpu))
    return runs


def print_medians(runs: dict) -> None:
    count = len(runs.get("auto", []))
    print(f"The whole job, median of {count} runs each, in turn, each from a machine without the product")
    print(f"  {'':38} {'time s':>8} {'cpu s':>7}   runs (s)")
    for side, label in SIDES:
        if side not in runs:
            continue
        seconds = [s for s, _ in runs[side]]
        cpus = [c / 1000 for _, c in runs[side] if c is not None]
        print(f"  {label:38} {number(median(seconds)):>8} {number(median(cpus)):>7}   "
              + " ".join(f"{s:.2f}" for s in seconds))
    print("  (cpu: processor time of the run's processes, the Wine server, its desktop and services, and the"
          " X server; for the person's run, of the machine's Wine processes and the X server, the driver's"
          " own processes left out; for the limit, seven runs of qunzip.exe x on the joined archives into the"
          " same folders, less the same seven programs started with nothing to do)")
    mine = runs.get("auto")
    for side, label in SIDES[1:3]:
        if mine and runs.get(side):
            wall = median([s for s, _ in mine]) / median([s for s, _ in runs[side]])
            cpu_mine = [c for _, c in mine if c is not None]
            cpu_peer = [c for _, c in runs[side] if c is not None]
            cpu = median(cpu_mine) / median(cpu_peer) if cpu_mine and cpu_peer else None
            print(f"  ratio INSTALL.EXE -auto / {label}: time {wall:.2f}, cpu {number(cpu, 2)}")


def print_log_phases(out: pathlib.Path, runs: dict) -> None:
    per_phase = collections.defaultdict(list)
    outside = []
    logs = sorted(out.glob("logs/auto-*.log"))
    for number_, log in enumerate(logs):
        lines = runlog.read(str(log))
        for name, seconds in runlog.auto_phases(lines):
            per_phase[name].append(seconds)
        run = int(log.stem.split("-")[1])
        took = [s for i, (s, _) in enumerate(runs["auto"], 1) if i == run]
        if took:
            outside.append(took[0] - runlog.span(lines))
    if not per_phase:
        return
    total = median([s for s, _ in runs["auto"]])
    print(f"\nWhere INSTALL.EXE -auto's time goes, by its run log's time tags (median of {len(logs)} runs, s)")
    rows = [("Wine starting the media instance before its first line, and its end after the last", outside)]
    rows += list(per_phase.items())
    for name, values in rows:
        value = median(values)
        print(f"  {value:7.3f}  {100 * value / total:5.1f}%  {name}")
    print("  (each page's note comes when the pilot acts: as soon as the page is painted and its"
          " messages have run)")


def print_person(out: pathlib.Path) -> None:
    moments, driver = [], []
    path = out / "person.tsv"
    if not path.exists():
        return
    for line in path.read_text().splitlines():
        first, rest = line.split("\t", 1)
        if first == "driver":
            driver.append(float(rest))
        else:
            marks = list(map(float, rest.split()))
            moments.append([b - a for a, b in zip(marks, marks[1:])])
    if not moments:
        return
    print(f"\nA person's run as the driver saw it (median of {len(moments)} runs, s)")
    for index, step in enumerate(PERSON_STEPS):
        print(f"  {median([m[index] for m in moments]):7.3f}  {step}")
    steps = collections.defaultdict(list)
    for log in sorted(out.glob("logs/person-*.log")):
        for name, seconds in runlog.config_steps(runlog.read(str(log))):
            steps[name].append(seconds)
    for name, values in steps.items():
        print(f"  {median(values):7.3f}    of which {name} (run log)")
    if driver:
        print(f"  one driver call (a Windows program started under Wine) takes {median(driver):.3f} s; the person"
              " makes 6, each waiting for its window or control (polling every 0.05 s)")


def log_epoch(out: pathlib.Path, moment: float) -> float:
    """A run-log time of day as seconds since the epoch (the log writes local time)."""
    wall, _ = map(float, (out / "observed-clock.tsv").read_text().split())
    day = time.localtime(wall)
    midnight = time.mktime((day.tm_year, day.tm_mon, day.tm_mday, 0, 0, 0, 0, 0, -1))
    return midnight + moment


def watched_phases(out: pathlib.Path) -> list:
    """(phase, start, end) of the watched run: the log's phases, the copy page's cut by
    what its files show."""
    lines = runlog.read(str(out / "logs" / "observed.log"))
    if not lines:
        return []
    product = out / "stage" / "product"
    events = files.Events(str(out / "observed-files.tsv"), (out / "observed-drive-c.txt").read_text().strip())
    inside = files.phases(events, product)
    phases, clock = [], lines[0][0]
    for name, seconds in runlog.auto_phases(lines):
        start, end = log_epoch(out, clock), log_epoch(out, clock + seconds)
        clock += seconds
        within = [(what, max(begin, start), min(finish, end)) for what, begin, finish in inside
                  if finish > start and begin < end]
        if not within:
            phases.append((name, start, end))
            continue
        phases.append((name + ", of which:", None, None))
        cursor = start
        for what, begin, finish in within:
            if begin > cursor + 0.001:
                phases.append(("  the rest (pages, gauges, messages)", cursor, begin))
            phases.append(("  " + what, max(begin, cursor), finish))
            cursor = max(cursor, finish)
        if end > cursor + 0.001:
            phases.append(("  the rest (pages, gauges, messages)", cursor, end))
    return phases


def print_watched(out: pathlib.Path) -> None:
    if not (out / "observed-files.tsv").exists():
        return
    phases = watched_phases(out)
    if not phases:
        return
    clock = out / "observed-clock.tsv"
    offset = cpuprofile.clock_offset(str(clock))
    samples = []
    for data in ("observed-run.data", "observed-servers.data"):
        if (out / data).exists():
            samples += cpuprofile.samples(str(out / data), offset)
    print("\nOne more run watched from outside: its files (inotify) and processor time (perf), ms")
    print(f"  {'wall':>6} " + " ".join(f"{head:>8}" for head in HEADS) + "  phase")
    totals = collections.Counter()
    for name, start, end in phases:
        if start is None:
            print(f"  {'':6} " + " ".join(f"{'':8}" for _ in COLUMNS) + f"  {name}")
            continue
        cpu = cpuprofile.breakdown(samples, start, end) if samples else collections.Counter()
        totals.update(cpu)
        totals["wall"] += (end - start) * 1000
        print(f"  {(end - start) * 1000:6.0f} " + " ".join(f"{cpu[column]:8.0f}" for column in COLUMNS) + f"  {name}")
    print(f"  {totals['wall']:6.0f} " + " ".join(f"{totals[column]:8.0f}" for column in COLUMNS) + "  all of the log")
    events = files.Events(str(out / "observed-files.tsv"), (out / "observed-drive-c.txt").read_text().strip())
    per_member = files.opens_per_member(events, out / "stage" / "product")
    print(f"  each member file: opened {per_member.get('open', 0):.1f} times, written in"
          f" {per_member.get('modify', 0):.1f} bursts of writes (inotify merges writes that follow each other);"
          f" the program's folders were opened as folders {files.folder_reads(events)} times")
    if events.lost:
        print("  (the watcher fell behind and the kernel dropped some file events: the phases above have holes)")


def main() -> None:
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = pathlib.Path(sys.argv[1])
    runs = read_times(out)
    print_medians(runs)
    if runs.get("auto"):
        print_log_phases(out, runs)
    print_person(out)
    print_watched(out)


if __name__ == "__main__":
    main()
