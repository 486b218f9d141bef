#!/usr/bin/env python3
"""Large runs of the native cleaner (not a test; run by hand):

1. a count of N entries over an empty folder: every entry costs two profile reads and
   one empty sweep; prints entries per second and peak memory for 10,000 and 1,000,000;
2. one folder of 2 x N files of which half match, against find(1) on an identical folder
   in the same run; prints the ratio and peak memory.

    bench/large.py build/release/cleaner [files]   (files: matching files, default 500000)
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sweep import install, measure, timed  # noqa: E402


def entries(cleaner, count):
    work = tempfile.mkdtemp(prefix="cleaner-entries-")
    try:
        os.makedirs(os.path.join(work, "empty"))
        program = install(cleaner, work, "cleaner",
                          f"[Entry]\nNumber={count}\n[Path]\n1={work}/empty\n[FileType]\n1=*.tmp\n")
        elapsed, memory = timed([program], work)
        print(f"{count:>8} entries over an empty folder: {elapsed:7.2f} s, "
              f"{count / elapsed:9.0f} entries/s, peak memory {memory} KiB")
    finally:
        shutil.rmtree(work)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cleaner = os.path.abspath(sys.argv[1])
    files = int(sys.argv[2]) if len(sys.argv) > 2 else 500000
    for count in (10000, 1000000):
        entries(cleaner, count)
    measure(cleaner, 5000, rounds=1)
    measure(cleaner, files, rounds=1)


if __name__ == "__main__":
    main()
