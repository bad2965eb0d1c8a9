#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up cost of the headless commands: whole-process wall time, median of
N runs, of `tarvex4 --version`, `tarvex4 rtf2text` and `tarvex4 shred` of a
one-line file, plus the Qt libraries the program's loader would map.

    bench/startup_time.py build/release/bin/tarvex4 [other/bin/tarvex4 ...] [--runs 50]

Build in Release first (see README); give several programs to compare them
(e.g. before and after a change) on the same machine in one go.
"""
import argparse
import os
import statistics
import subprocess
import tempfile
import time


def median_ms(command, runs, stdin_path):
    times = []
    for _ in range(runs):
        with open(stdin_path, "rb") as stdin:
            start = time.perf_counter()
            subprocess.run(command, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
            times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def qt_libraries(exe):
    out = subprocess.run(["ldd", exe], capture_output=True, text=True).stdout
    return sorted({line.split()[0] for line in out.splitlines() if "libQt" in line})


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("programs", nargs="+")
    parser.add_argument("--runs", type=int, default=50)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        rtf = os.path.join(work, "one.rtf")
        with open(rtf, "w") as f:
            f.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 one line of text\\par}\n")
        words = os.path.join(work, "one.txt")
        with open(words, "w") as f:
            f.write("one line of words to cut\n")
        print(f"cores: {os.cpu_count()}, runs: {args.runs}, median wall time in ms")
        for exe in args.programs:
            qt = qt_libraries(exe)
            print(f"{exe}: Qt libraries linked: {len(qt)} {' '.join(qt)}")
            for label, command, stdin in (
                ("--version", [exe, "--version"], os.devnull),
                ("rtf2text one line", [exe, "rtf2text", rtf], os.devnull),
                ("shred one line", [exe, "shred", "--suffix", words], os.devnull),
            ):
                print(f"  {label:20s} {median_ms(command, args.runs, stdin):7.2f}")


if __name__ == "__main__":
    main()
