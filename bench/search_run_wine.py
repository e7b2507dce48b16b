#!/usr/bin/python3
"""The whole search run of the Windows program under Wine, as the user meets
it: spurlixlight.exe and act-standin.exe on a generated table, the fragment
typed with xdotool, and the time from the Enter key to the moment the
stand-in logs the lookup it was handed over COM. Median of the runs (each run
ends the program, so each is a fresh start). The Enter key's moment is taken
just before xdotool is started to press it, so the figure includes xdotool's
own start (a few milliseconds): an upper bound.

Usage: bench/search_run_wine.py [--build DIR] [--linux-build DIR] [--rows N] [--runs N]
  --build        the Windows build (default build/windows)
  --linux-build  the Linux build, for the table generator (default build/default)
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SOURCE = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))
from wine_harness import WineSession  # noqa: E402

SEARCH_DIALOG = "^Spurlix light f.*r ACT!$"


def lookup_logged(session):
    """When the stand-in logged CreateLookup (its log's time of writing), or None."""
    if not any(c["call"] == "CreateLookup" for c in session.standin_calls()):
        return None
    return os.stat(session.standin_log).st_mtime


def one_run(s, table, fragment):
    standin = s.start_standin(table)
    program = s.start_program()
    s.focus(s.find_window(SEARCH_DIALOG, program))
    s.type(fragment)
    time.sleep(0.5)
    pressed = time.time()
    s.key("Return")
    s.wait_for(lambda: lookup_logged(s) is not None, "the lookup in the stand-in")
    seconds = lookup_logged(s) - pressed
    hits = len([c for c in s.standin_calls() if c["call"] == "CreateLookup"][0]["ids"])
    s.wait_exit(program)
    s.stop_standin(standin)
    return seconds, hits


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=str(SOURCE / "build" / "windows"))
    parser.add_argument("--linux-build", default=str(SOURCE / "build" / "default"))
    parser.add_argument("--rows", type=int, default=10400)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="spurlix-bench-") as folder:
        subprocess.run([os.path.join(args.linux_build, "tools", "actdb-demo"), folder,
                        str(args.rows)], check=True, stdout=subprocess.DEVNULL)
        table = os.path.join(folder, "KONTAKTE.dbf")
        with WineSession(os.path.abspath(args.build)) as s:
            s.start_window_manager()
            one_run(s, table, "e")  # warm-up: Wine loads its libraries
            runs = [one_run(s, table, "e") for _ in range(args.runs)]
    seconds = [r[0] for r in runs]
    print("rows %d, hits %d: Enter to CreateLookup in the stand-in, median of %d runs: "
          "%.3f s (%.3f to %.3f s)" % (args.rows, runs[0][1], len(runs),
                                       statistics.median(seconds), min(seconds), max(seconds)))


if __name__ == "__main__":
    main()
