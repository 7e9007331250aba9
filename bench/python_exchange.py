#!/usr/bin/env python3
"""The Python module's own cost per exchange: the same query of one parameter, N times, from
C++ on the camera layer (bench_camera_get) and from Python through lumora's get(), on one
unpaced lumora-camsim, alternating for many short rounds. Reports microseconds per exchange,
wall time and the CPU time of the measuring process (all its threads, less disturbed by other
work on the machine): the fastest round of each and the median round, and their differences,
which are what the module adds.

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
parser.add_argument("--count", type=int, default=5000)
parser.add_argument("--rounds", type=int, default=15)
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
    wall, cpu = out.split()
    return float(wall), float(cpu)


def python():
    with lumora.open(device, baud=115200) as cam:
        get = cam.get
        for _ in range(args.count // 5):  # the warm-up the C++ side has too
            get(args.mnemonic)
        start, cpu = time.perf_counter(), time.process_time()
        for _ in range(args.count):
            get(args.mnemonic)
        return ((time.perf_counter() - start) / args.count * 1e6, (time.process_time() - cpu) / args.count * 1e6)


try:
    rounds = []
    for i in range(args.rounds):
        # Which side goes first alternates: a machine waking from idle speeds up during a round.
        if i % 2:
            py = python()
            rounds.append((native(), py))
        else:
            rounds.append((native(), python()))
finally:
    sim.terminate()
    sim.wait()
print(f"{args.count} x get({args.mnemonic!r}) per round, {args.rounds} rounds, unpaced lumora-camsim")
print("us per exchange        wall: fastest   median    CPU: fastest   median")
for name, pick in (("C++ camera layer ", lambda r: r[0]), ("Python lumora    ", lambda r: r[1]),
                   ("module's own cost", None)):
    figures = []
    for kind in (0, 1):
        if pick:
            values = [pick(r)[kind] for r in rounds]
            figures += [min(values), statistics.median(values)]
        else:
            cpp, py = ([r[side][kind] for r in rounds] for side in (0, 1))
            figures += [min(py) - min(cpp), statistics.median(py) - statistics.median(cpp)]
    print(f"  {name}  {figures[0]:14.2f} {figures[1]:8.2f} {figures[2]:14.2f} {figures[3]:8.2f}")
