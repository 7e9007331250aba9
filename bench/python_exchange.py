#!/usr/bin/env python3
"""The Python module's own cost per exchange: the same query of one parameter, N times, from
C++ on the camera layer (bench_camera_get) and from Python through lumora's get(), on one
unpaced lumora-camsim, alternating for many short rounds. Reports microseconds per exchange:
the fastest round of each (the least disturbed by other work on the machine) and the median
round, and their differences, which are what the module adds.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_exchange.py [--bin build/bin] [--count N] [--rounds R]
"""
import argparse
import os
import pathlib
import statistics
import subprocess
import tempfile
import time

parser = argparse.ArgumentParser()
parser.add_argument("--bin", default=str(pathlib.Path(__file__).resolve().parents[1] / "build" / "bin"))
parser.add_argument("--count", type=int, default=1000)
parser.add_argument("--rounds", type=int, default=25)
parser.add_argument("--mnemonic", default="PE")
args = parser.parse_args()
# A private settings file: a real one's Control Mode or ports do not matter here.
os.environ["XDG_CONFIG_HOME"] = tempfile.mkdtemp(prefix="lumora-bench-")

import lumora  # noqa: E402  (after the settings folder is set)

sim = subprocess.Popen([os.path.join(args.bin, "lumora-camsim")], stdout=subprocess.PIPE, text=True)
device = sim.stdout.readline().strip()


def native():
    out = subprocess.run([os.path.join(args.bin, "bench_camera_get"), device, str(args.count), args.mnemonic],
                         check=True, capture_output=True, text=True).stdout
    return float(out)


def python():
    with lumora.open(device, baud=115200) as cam:
        get = cam.get
        for _ in range(args.count // 5):  # the warm-up the C++ side has too
            get(args.mnemonic)
        start = time.perf_counter()
        for _ in range(args.count):
            get(args.mnemonic)
        return (time.perf_counter() - start) / args.count * 1e6


try:
    rounds = [(native(), python()) for _ in range(args.rounds)]
finally:
    sim.terminate()
    sim.wait()
cpp = [c for c, _ in rounds]
py = [p for _, p in rounds]
print(f"{args.count} x get({args.mnemonic!r}) per round, {args.rounds} rounds, unpaced lumora-camsim")
print("us per exchange        fastest   median")
print(f"  C++ camera layer    {min(cpp):8.2f} {statistics.median(cpp):8.2f}")
print(f"  Python lumora       {min(py):8.2f} {statistics.median(py):8.2f}")
print(f"  module's own cost   {min(py) - min(cpp):8.2f} {statistics.median(py) - statistics.median(cpp):8.2f}")
