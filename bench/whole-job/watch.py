#!/usr/bin/env python3
"""Notes what happens to files under some folders, with the time of each event, while a
run goes on, without touching the program: Linux's inotify sees every file the Wine
processes create, write, open, read, close and delete. Folders made under a watched one
are watched too. Ends on SIGTERM or SIGINT.

usage: watch.py OUT.tsv FOLDER...
OUT.tsv: one line per event: time (seconds since the epoch), event, path; "overflow" when
the kernel dropped events because this reader fell behind.
"""
import ctypes
import os
import select
import signal
import struct
import sys
import time

EVENTS = {0x1: "access", 0x2: "modify", 0x4: "attrib", 0x8: "close_write", 0x10: "close_nowrite",
          0x20: "open", 0x40: "moved_from", 0x80: "moved_to", 0x100: "create", 0x200: "delete",
          0x4000: "overflow"}
IN_ISDIR, IN_CREATE, IN_MOVED_TO = 0x40000000, 0x100, 0x80
MASK = 0x1 | 0x2 | 0x4 | 0x8 | 0x10 | 0x20 | 0x40 | 0x80 | 0x100 | 0x200
HEADER = struct.Struct("iIII")

libc = ctypes.CDLL(None, use_errno=True)


def main() -> None:
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    stop = []
    signal.signal(signal.SIGTERM, lambda *_: stop.append(1))
    signal.signal(signal.SIGINT, lambda *_: stop.append(1))
    fd = libc.inotify_init1(os.O_NONBLOCK)
    if fd < 0:
        sys.exit(f"watch.py: inotify: {os.strerror(ctypes.get_errno())}")
    folders = {}

    def watch(folder: str) -> None:
        wd = libc.inotify_add_watch(fd, folder.encode(), MASK)
        if wd >= 0:
            folders[wd] = folder

    def watch_new(folder: str) -> None:
        """A folder just made, and those made in it before its watch was in place."""
        watch(folder)
        for below, subfolders, _ in os.walk(folder):
            for name in subfolders:
                watch(os.path.join(below, name))

    for folder in sys.argv[2:]:
        watch(folder)
    with open(sys.argv[1], "w") as out:
        out.write("ready\n")
        out.flush()
        while not stop:
            try:
                ready, _, _ = select.select([fd], [], [], 0.2)
            except InterruptedError:
                continue
            if not ready:
                continue
            now = time.time()
            data = os.read(fd, 1 << 20)
            offset = 0
            while offset < len(data):
                wd, mask, _, length = HEADER.unpack_from(data, offset)
                name = data[offset + HEADER.size:offset + HEADER.size + length].rstrip(b"\0").decode(errors="replace")
                offset += HEADER.size + length
                path = os.path.join(folders.get(wd, "?"), name)
                if mask & IN_ISDIR and mask & (IN_CREATE | IN_MOVED_TO):
                    watch_new(path)
                kind = next((text for bit, text in EVENTS.items() if mask & bit), hex(mask))
                out.write(f"{now:.6f}\t{kind}{'/dir' if mask & IN_ISDIR else ''}\t{path}\n")


if __name__ == "__main__":
    main()
