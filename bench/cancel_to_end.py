#!/usr/bin/env python3
"""Cancel during the search, measured from outside the installer: the installer is started on
the large machine, its window is given a second (--after; the folder search then runs for
seconds), Escape is pressed on it, and the time until the process has ended is taken. Runs in
the environment that scripts/wine-env.sh sets up (DISPLAY, QUILLANE_WINE)."""
import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from time_to_window import figure, run_probe  # noqa: E402


def one_run(args, env):
    proc = subprocess.Popen([env["QUILLANE_WINE"], args.exe], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            stdin=subprocess.DEVNULL)
    deadline = time.time() + 60
    while run_probe(env, args.probe, "geometry")[0] != 0:
        if time.time() > deadline or proc.poll() is not None:
            sys.exit("cancel_to_end: the installer's window did not appear")
        time.sleep(0.1)
    time.sleep(args.after)
    # The window has the keyboard focus as it starts: Escape goes to it.
    subprocess.run(["xdotool", "key", "Escape"], env=env, check=True)
    start = time.perf_counter()
    try:
        proc.wait(timeout=120)
    except subprocess.TimeoutExpired:
        proc.kill()
        sys.exit("cancel_to_end: Escape did not end the installer")
    elapsed = (time.perf_counter() - start) * 1000.0
    # The single-instance guard lives until the process is gone from the server too.
    for _ in range(200):
        if run_probe(env, args.probe, "geometry")[0] != 0:
            break
        time.sleep(0.05)
    return elapsed


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--large", required=True, help="the large machine's prefix")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--after", type=float, default=1.0, help="seconds from window to Escape")
    args = parser.parse_args()
    env = dict(os.environ, WINEPREFIX=args.large)
    times = [one_run(args, env) for _ in range(args.runs)]
    median, low, high = figure(times)
    print("    Escape %.1f s after the window, to the process's end  %9.1f ms  (min %.1f, max %.1f, %d runs)"
          % (args.after, median, low, high, len(times)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
