#!/usr/bin/env python3
"""Time to window, measured from outside the installer: from the start of its process to the
moment the X server shows a pixel that only the selection screen's finished paint puts there
(inside the last filter check box, which is painted after the background and every other
control). Runs in the environment that scripts/wine-env.sh sets up (DISPLAY, QUILLANE_WINE)
for two prefixes on one display: the empty machine and the large one, timed in pairs in
alternating order, with the ratio taken pair by pair."""
import argparse
import ctypes
import os
import struct
import subprocess
import sys
import tempfile
import time

LAST_BOX = (230, 170, 243, 183)  # the ninth check box's frame, client pixels
ZPIXMAP, ALL_PLANES = 2, 0xFFFFFFFF

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]


class Screen:
    def __init__(self):
        self.display = x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("time_to_window: no X display")
        self.root = x11.XDefaultRootWindow(self.display)

    def pixel(self, x, y):
        image = x11.XGetImage(self.display, self.root, x, y, 1, 1, ALL_PLANES, ZPIXMAP)
        value = x11.XGetPixel(image, 0, 0)
        x11.XDestroyImage(image)
        return ((value >> 16) & 255, (value >> 8) & 255, value & 255)


def background_pixel(path, x, y):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24, "background is not a 24-bit picture"
    stride = (width * 3 + 3) & ~3
    tx, ty = x % width, y % abs(height)
    row = height - 1 - ty if height > 0 else ty
    b, g, r = data[offset + row * stride + tx * 3: offset + row * stride + tx * 3 + 3]
    return (r, g, b)


def run_probe(env, probe, *args):
    """The probe's exit code and output. The output goes through a file: Wine's background
    processes inherit the descriptors and would hold a pipe open."""
    with tempfile.TemporaryFile(mode="w+") as out:
        rc = subprocess.call([env["QUILLANE_WINE"], probe] + list(args), env=env, stdout=out,
                             stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        out.seek(0)
        return rc, out.read()


def wait_gone(proc, env, probe):
    proc.wait()
    # The single-instance guard lives until the process is gone from the server too.
    for _ in range(200):
        if run_probe(env, probe, "geometry")[0] != 0:
            return
        time.sleep(0.05)


def reference(args, env, screen):
    """The client origin and a pixel of the last check box that differs from the background."""
    proc = subprocess.Popen([env["QUILLANE_WINE"], args.exe], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            stdin=subprocess.DEVNULL)
    client = None
    deadline = time.time() + 60
    while time.time() < deadline and client is None:
        out = run_probe(env, args.probe, "geometry")[1]
        for line in out.splitlines():
            if line.startswith("client "):
                client = [int(v) for v in line.split()[1:3]]
        time.sleep(0.2)
    if client is None:
        sys.exit("time_to_window: the installer's window did not appear")
    time.sleep(2)  # certainly painted
    found = None
    for y in range(LAST_BOX[1], LAST_BOX[3]):
        for x in range(LAST_BOX[0], LAST_BOX[2]):
            shown = screen.pixel(client[0] + x, client[1] + y)
            if shown != background_pixel(args.background, x, y) and shown != (0, 0, 0):
                found = (x, y, shown)
                break
        if found:
            break
    proc.kill()
    wait_gone(proc, env, args.probe)
    if found is None:
        sys.exit("time_to_window: the last check box shows nothing of its own")
    return client, found


def one_run(args, env, screen, at, colour):
    # The window of the run before may take a moment to leave the screen.
    for _ in range(500):
        if screen.pixel(*at) != colour:
            break
        time.sleep(0.01)
    else:
        sys.exit("time_to_window: the watched pixel shows before the installer starts")
    start = time.perf_counter()
    proc = subprocess.Popen([env["QUILLANE_WINE"], args.exe], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            stdin=subprocess.DEVNULL)
    deadline = start + 120
    while screen.pixel(*at) != colour:
        if time.perf_counter() > deadline or proc.poll() is not None:
            sys.exit("time_to_window: no window within the time limit")
        time.sleep(0.001)
    elapsed = (time.perf_counter() - start) * 1000.0
    proc.kill()
    wait_gone(proc, env, args.probe)
    return elapsed


def figure(values):
    values = sorted(values)
    n = len(values)
    median = values[n // 2] if n % 2 else (values[n // 2 - 1] + values[n // 2]) / 2
    return median, values[0], values[-1]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--probe", required=True)
    ap.add_argument("--background", required=True)
    ap.add_argument("--empty", required=True, help="prefix of the empty machine")
    ap.add_argument("--large", required=True, help="prefix of the large machine")
    ap.add_argument("--runs", type=int, default=5)
    args = ap.parse_args()
    envs = {}
    for name in ("empty", "large"):
        envs[name] = dict(os.environ, WINEPREFIX=getattr(args, name))
    screen = Screen()
    client, (x, y, colour) = reference(args, envs["empty"], screen)
    at = (client[0] + x, client[1] + y)
    print("    watched: client pixel (%d, %d) turning %r, window client at %r" %
          (x, y, colour, client))
    times = {"empty": [], "large": []}
    for i in range(args.runs):
        order = ("empty", "large") if i % 2 == 0 else ("large", "empty")
        for name in order:
            times[name].append(one_run(args, envs[name], screen, at, colour))
    for name, label in (("empty", "empty machine"), ("large", "large synthetic machine")):
        print("    %-46s %10.1f ms  (min %.1f, max %.1f, %d runs)" %
              ((label,) + figure(times[name]) + (args.runs,)))
    ratios = [l / e for l, e in zip(times["large"], times["empty"])]
    median, low, high = figure(ratios)
    print("    %-46s %10.2fx     (min %.2f, max %.2f; goal <= 1.5x: %s)" %
          ("large / empty", median, low, high, "met" if median <= 1.5 else "MISSED"))


if __name__ == "__main__":
    main()
