#!/usr/bin/env python3
"""Times the native cleaner sweeping one folder against find(1) doing the same job.

For each size N, two identical folders get N matching files (*.tmp) and N others; the
cleaner sweeps one, `find DIR -maxdepth 1 -type f -name '*.tmp' -delete` the other, in
the same run. Prints both times, their ratio and each one's peak memory. Not a test:
run it by hand, e.g. bench/sweep.py build/native/cleaner 10000 100000
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def make_folder(path, count):
    os.makedirs(path)
    for i in range(count):
        for name in (f"file{i:07d}.tmp", f"file{i:07d}.keep"):
            os.close(os.open(os.path.join(path, name), os.O_CREAT | os.O_WRONLY, 0o644))


def timed(argv, cwd):
    """Wall time in seconds and peak resident memory in KiB of one child process."""
    # GNU time measures the peak: a child forked from this script would count its memory.
    with tempfile.NamedTemporaryFile("r") as report:
        start = time.perf_counter()
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + argv, cwd=cwd,
                       check=True)
        elapsed = time.perf_counter() - start
        return elapsed, int(report.read().split()[-1])


def alternate(round_number, ours, theirs):
    """Runs both, the first of them taking turns, so that neither always meets the colder
    cache; returns (ours, theirs)."""
    if round_number % 2:
        result_theirs = theirs()
        return ours(), result_theirs
    result_ours = ours()
    return result_ours, theirs()


def install(cleaner, work, name, settings, newline="\n"):
    """Copies the program into work/app beside its settings file; returns its path."""
    app = os.path.join(work, "app")
    os.makedirs(app)
    program = os.path.join(app, name)
    shutil.copy(cleaner, program)
    with open(os.path.join(app, "cleaner.ini"), "w", newline=newline) as ini:
        ini.write(settings)
    return program


def race(work, count, round_number, ours, theirs):
    """Makes two identical folders, work/a for ours and work/b for theirs, runs both and
    checks that each deleted exactly the matching files; returns (ours, theirs)."""
    make_folder(os.path.join(work, "a"), count)
    make_folder(os.path.join(work, "b"), count)
    result = alternate(round_number, ours, theirs)
    for folder in ("a", "b"):
        left = len(os.listdir(os.path.join(work, folder)))
        if left != count:
            sys.exit(f"folder {folder}: {left} files left, expected {count}")
    return result


def measure(cleaner, count, rounds):
    results = []
    for round_number in range(rounds):
        work = tempfile.mkdtemp(prefix="cleaner-bench-")
        try:
            program = install(cleaner, work, "cleaner",
                              f"[Entry]\nNumber=1\n[Path]\n1={work}/a\n[FileType]\n1=*.tmp\n")
            find = ["find", os.path.join(work, "b"), "-maxdepth", "1", "-type", "f",
                    "-name", "*.tmp", "-delete"]
            results.append(race(work, count, round_number, lambda: timed([program], work),
                                lambda: timed(find, work)))
        finally:
            shutil.rmtree(work)
    ours = statistics.median(r[0][0] for r in results)
    theirs = statistics.median(r[1][0] for r in results)
    memory = max(r[0][1] for r in results)
    find_memory = max(r[1][1] for r in results)
    print(f"{count:>8} matching of {2 * count:>8}: cleaner {ours:7.3f} s, find {theirs:7.3f} s, "
          f"ratio {ours / theirs:5.2f}; peak memory cleaner {memory} KiB, find {find_memory} KiB")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cleaner = os.path.abspath(sys.argv[1])
    sizes = [int(n) for n in sys.argv[2:]] or [10000, 100000]
    for count in sizes:
        measure(cleaner, count, rounds=5)


if __name__ == "__main__":
    main()
