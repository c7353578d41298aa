#!/usr/bin/env python3
"""Times two commands side by side: runs them alternately, each after its own set-up
command, several times, and prints the medians of elapsed time and peak memory and the
ratio of the median times (first / second).

usage: compare.py RUNS LABEL_A SETUP_A COMMAND_A LABEL_B SETUP_B COMMAND_B
"""
import statistics
import subprocess
import sys
import tempfile
import time


def timed(command):
    """Wall time (measured here, finer than time's 10 ms) and peak resident memory."""
    with tempfile.NamedTemporaryFile(mode="r") as report:
        start = time.perf_counter()
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name, "sh", "-c", command],
                       check=True, stdout=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
        return elapsed, int(report.read().split()[-1])


def main():
    runs = int(sys.argv[1])
    sides = [sys.argv[2:5], sys.argv[5:8]]
    results = {label: ([], []) for label, _, _ in sides}
    for _ in range(runs):
        for label, setup, command in sides:
            subprocess.run(["sh", "-c", setup], check=True)
            seconds, peak = timed(command)
            results[label][0].append(seconds)
            results[label][1].append(peak)
    medians = {}
    for label, (times, peaks) in results.items():
        medians[label] = statistics.median(times)
        print(f"  {label:<28} median {medians[label]:7.3f} s   peak {statistics.median(peaks) / 1024:7.1f} MB"
              f"   runs {' '.join(f'{t:.3f}' for t in times)}")
    first, second = (label for label, _, _ in sides)
    ratio = medians[first] / medians[second] if medians[second] else float("inf")
    print(f"  ratio {first} / {second} = {ratio:.3f}")


if __name__ == "__main__":
    main()
