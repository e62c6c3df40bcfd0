#!/usr/bin/python3
# How long a report through LibreOffice takes, beside what starting LibreOffice alone takes.
#
#     bench/office_report_timing.py [BUILD_BIN_DIR] [RUNS]
#
# Measures, each RUNS times (median and range printed):
#  - the office helper with nothing to do: a headless LibreOffice started with a new profile
#    folder, connected to and ended, the floor of any report;
#  - tenzora-cli report of each shipped template with the example project;
#  - two reports at once (separate profiles), wall time for both.

import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BIN = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "bin")
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 3
CLI = os.path.join(BIN, "tenzora-cli")
PROJECT = os.path.join(ROOT, "data", "examples", "l-shaped-hall.tz")
TEMPLATES = os.path.join(ROOT, "data", "templates")


def timed(command):
    start = time.monotonic()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.monotonic() - start


def report(samples, what):
    print("%-48s median %5.2f s   (%.2f … %.2f, %d runs)"
          % (what, statistics.median(samples), min(samples), max(samples), len(samples)))


def soffice_alone():
    """The office helper with nothing to do: LibreOffice started with a new profile, connected
    to and ended, as every report does around its own work."""
    with tempfile.TemporaryDirectory() as work:
        job = os.path.join(work, "job.json")
        with open(job, "w") as f:
            json.dump({"kind": "convert", "items": [], "result": os.path.join(work, "r")}, f)
        return timed(["/usr/bin/python3", os.path.join(BIN, "office", "tenzora_office.py"), job])


def main():
    with tempfile.TemporaryDirectory() as out:
        report([soffice_alone() for _ in range(RUNS)], "LibreOffice start, connection and end")
        for name in sorted(os.listdir(TEMPLATES)):
            target = os.path.join(out, "filled" + os.path.splitext(name)[1])
            samples = [timed([CLI, "report", PROJECT, os.path.join(TEMPLATES, name), target])
                       for _ in range(RUNS)]
            report(samples, "report of " + name)
        pair = []
        names = sorted(os.listdir(TEMPLATES))[:2]
        for _ in range(RUNS):
            start = time.monotonic()
            running = [subprocess.Popen([CLI, "report", PROJECT, os.path.join(TEMPLATES, n),
                                         os.path.join(out, "pair%d%s" % (i, os.path.splitext(n)[1]))],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                       for i, n in enumerate(names)]
            if any(p.wait() != 0 for p in running):
                raise SystemExit("a report of the pair failed")
            pair.append(time.monotonic() - start)
        report(pair, "two reports at once (wall time)")


if __name__ == "__main__":
    main()
