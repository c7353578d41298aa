#!/usr/bin/env python3
"""Times commands side by side: runs them in turn, each after its own set-up command,
several times, and prints the medians of elapsed time, processor time (user + system,
steadier on a busy machine) and peak memory, then the ratio of the first command's
medians to each other command's (below 1: the first is faster).

usage: compare.py RUNS LABEL SETUP COMMAND [LABEL SETUP COMMAND]...
"""
import statistics
import subprocess
import sys
import tempfile
import time


def timed(command):
    """Wall time (measured here, finer than time's 10 ms), processor time and peak memory."""
    with tempfile.NamedTemporaryFile(mode="r") as report:
        start = time.perf_counter()
        subprocess.run(["/usr/bin/time", "-f", "%M %U %S", "-o", report.name, "sh", "-c", command],
                       check=True, stdout=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
        peak, user, system = report.read().split()[-3:]
        return elapsed, float(user) + float(system), int(peak)


def main():
    runs = int(sys.argv[1])
    arguments = sys.argv[2:]
    if len(arguments) < 6 or len(arguments) % 3:
        sys.exit(__doc__)
    sides = [arguments[i:i + 3] for i in range(0, len(arguments), 3)]
    results = {label: ([], [], []) for label, _, _ in sides}
    for _ in range(runs):
        for label, setup, command in sides:
            subprocess.run(["sh", "-c", setup], check=True)
            for series, value in zip(results[label], timed(command)):
                series.append(value)
    wall, cpu = {}, {}
    for label, (times, cpus, peaks) in results.items():
        wall[label] = statistics.median(times)
        cpu[label] = statistics.median(cpus)
        print(f"  {label:<12} median {wall[label]:7.3f} s  cpu {cpu[label]:7.3f} s"
              f"  peak {statistics.median(peaks) / 1024:6.1f} MB"
              f"  runs {' '.join(f'{t:.3f}' for t in times)}")
    first = sides[0][0]
    for other, _, _ in sides[1:]:
        def ratio(values):
            return values[first] / values[other] if values[other] else float("inf")
        print(f"  ratio {first} / {other}: time {ratio(wall):.3f}, cpu {ratio(cpu):.3f}")


if __name__ == "__main__":
    main()
