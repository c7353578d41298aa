#!/usr/bin/env python3
"""Processor time of one machine's long-lived Wine processes, for the part of a run's work
that its own process tree does not show: the Wine server, the desktop, the services
Wine starts on demand, and the X server.

usage: machinecpu.py snapshot OUT WINEPREFIX [PID...]   every process of that prefix and the PIDs
       machinecpu.py delta BEFORE AFTER                  milliseconds used between the two
A process alive in both counts its difference; one that appeared in between counts whole.
"""
import os
import sys

TICK_MS = 1000 / os.sysconf("SC_CLK_TCK")


def cpu_ticks(pid: str):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])  # utime, stime
    except (OSError, IndexError, ValueError):
        return None


def of_machine(pid: str, prefix: bytes) -> bool:
    """A Wine process (its loader or its server) of that prefix; the shells and tools
    that drive the run carry the prefix in their environment too, and are not counted."""
    try:
        if "/wine" not in os.readlink(f"/proc/{pid}/exe"):
            return False
        with open(f"/proc/{pid}/environ", "rb") as environ:
            return b"WINEPREFIX=" + prefix in environ.read().split(b"\0")
    except OSError:
        return False


def snapshot(out: str, prefix: str, extra: list) -> None:
    pids = [pid for pid in os.listdir("/proc") if pid.isdigit() and of_machine(pid, prefix.encode())] + extra
    with open(out, "w") as file:
        for pid in pids:
            ticks = cpu_ticks(pid)
            if ticks is not None:
                file.write(f"{pid} {ticks}\n")


def read(path: str) -> dict:
    with open(path) as file:
        return dict(map(int, line.split()) for line in file if line.strip())


def delta(before: str, after: str) -> None:
    old, new = read(before), read(after)
    print(round(sum(ticks - old.get(pid, 0) for pid, ticks in new.items()) * TICK_MS))


def main() -> None:
    if len(sys.argv) >= 4 and sys.argv[1] == "snapshot":
        snapshot(sys.argv[2], sys.argv[3], sys.argv[4:])
    elif len(sys.argv) == 4 and sys.argv[1] == "delta":
        delta(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
