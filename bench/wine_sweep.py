#!/usr/bin/env python3
"""Times cleaner.exe under Wine sweeping one folder against Wine's own `del`.

Two identical folders get N matching files (*.tmp) and N others; cleaner.exe sweeps one,
`wine cmd /c del /a:-d /q DIR\\*.tmp` the other, in the same run, with one warm Wine
prefix (WINEPREFIX, or build/wine-prefix). Prints both times and their ratio. Not a test:
    bench/wine_sweep.py build/win32/cleaner.exe 10000
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sweep import install, race  # noqa: E402


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def timed(argv, cwd, env):
    start = time.perf_counter()
    # Wine 8's cmd prints "Syntax error" for /a:-d yet deletes as asked; the counts
    # below check that it did.
    subprocess.run(argv, cwd=cwd, env=env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cleaner = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    env = dict(os.environ, WINEDEBUG="-all", DISPLAY="")
    env.setdefault("WINEPREFIX", os.path.join(root, "build", "wine-prefix"))
    subprocess.run(["wineserver", "-p"], env=env)
    subprocess.run(["wine", "cmd", "/c", "echo"], env=env, check=True, stdout=subprocess.DEVNULL)
    results = []
    for round_number in range(5):
        work = tempfile.mkdtemp(prefix="cleaner-wine-bench-")
        try:
            program = install(cleaner, work, "cleaner.exe",
                              f"[Entry]\nNumber=1\n[Path]\n1={windows_path(work)}\\a\n"
                              "[FileType]\n1=*.tmp\n", newline="\r\n")
            ours = ["wine", program]
            theirs = ["wine", "cmd", "/c", "del", "/a:-d", "/q", windows_path(work) + "\\b\\*.tmp"]
            results.append(race(work, count, round_number, lambda: timed(ours, work, env),
                                lambda: timed(theirs, work, env)))
        finally:
            shutil.rmtree(work)
    ours = statistics.median(r[0] for r in results)
    theirs = statistics.median(r[1] for r in results)
    print(f"{count} matching of {2 * count} under Wine: cleaner.exe {ours:.3f} s, "
          f"del {theirs:.3f} s, ratio {ours / theirs:.2f}")


if __name__ == "__main__":
    main()
