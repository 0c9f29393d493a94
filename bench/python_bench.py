#!/usr/bin/env python3
"""Benchmarks of the Python module orlavex (not a test).

  PYTHONPATH=build/src/python python3 bench/python_bench.py [--repetitions 5]

point(mc=False): 10 000 calls through Python against the same 10 000 in C++
alone (orlavex._point_seconds_in_cpp: start the window, enter the inputs,
budget, JSON document), measured in the same repetition; the difference per
call is the binding's overhead (keyword arguments in, Python objects out).
sweep(): 1001 frequency points with the GUM budget, catalogue instruments.
sweep() against numpy: the 1001-point sweep with an ENR table and an .s2p
beside two vectorised numpy scripts of the same figures
(numpy_sweep_baseline.py): one that imitates the fields' texts (checked to
agree at almost every point) and an engineer's own, which computes straight
from the numbers (checked to agree to 1e-3 dB); each run by turns with
orlavex.sweep, the ratio of their CPU times (orlavex.sweep's threads
included) per repetition.
load_setup() against json.load plus hashlib's SHA-256 of both embedded
files: a set-up file embedding an ENR table and an .s2p of about a megabyte
each, the two read by turns, the ratio of their CPU times per repetition.
Figures as min/median/max over the repetitions.

  --numpy-ratio-only        just the ratio to numpy (with --repetitions)
  --load-setup-ratio-only   just load_setup() over json.load and SHA-256
"""
import argparse
import hashlib
import json
import pathlib
import statistics
import sys
import tempfile
import time

import orlavex

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import numpy_sweep_baseline as numpy_baseline  # noqa: E402

EXAMPLES = pathlib.Path(__file__).resolve().parent.parent / "examples"
DATA_FILES = (str(EXAMPLES / "noise_source.enr"), str(EXAMPLES / "lna_1-18ghz.s2p"))

POINT_INPUTS = dict(dut_nf=2.5, dut_gain=28, freq=6, analyzer="Aravel-3",
                    noise_source="NS346B", int_preamp=False)
CALLS = 10_000


def point_loop(calls):
    start = time.perf_counter()
    for _ in range(calls):
        orlavex.point(mc=False, **POINT_INPUTS)
    return time.perf_counter() - start


def sweep_once():
    start = time.perf_counter()
    arrays = orlavex.sweep("freq", 0.1, 8, 1001, analyzer="Aravel-3", noise_source="NS346B",
                           dut_nf=2.5, dut_gain=28)
    elapsed = time.perf_counter() - start
    assert len(arrays["U_db"]) == 1001
    return elapsed


def cpu_seconds(work):
    start = time.process_time()
    result = work()
    return time.process_time() - start, result


def numpy_ratios(repetitions, typed=True):
    """orlavex.sweep's CPU time over the numpy script's, one ratio per
    repetition, the two run by turns. TYPED: the script that imitates the
    fields' texts; else an engineer's own, which computes from the numbers."""
    theirs = numpy_baseline.orlavex_sweep(*DATA_FILES)
    ours = numpy_baseline.sweep(*DATA_FILES, typed=typed)
    if typed:
        numpy_baseline.check_agreement(ours, theirs)
    else:
        numpy_baseline.check_user_agreement(ours, theirs)
    ratios = []
    for _ in range(repetitions):
        orlavex_cpu, _ = cpu_seconds(lambda: numpy_baseline.orlavex_sweep(*DATA_FILES))
        numpy_cpu, _ = cpu_seconds(lambda: numpy_baseline.sweep(*DATA_FILES, typed=typed))
        ratios.append(orlavex_cpu / numpy_cpu)
    return ratios


def large_data_files(directory):
    """An ENR table and a 2-port Touchstone file (real and imaginary parts) of
    about a megabyte each in DIRECTORY, as calibration and network-analyser
    software write them; their paths."""
    enr = ["# Noise source calibration", "[Filetype ENR]", "[Model NS346B]",
           "! Freq ENR(dB) Unc(dB) on_mag on_deg off_mag off_deg"]
    s2p = ["! Low-noise amplifier", "# GHz S RI R 50"]
    for lines, line in ((enr, lambda i: (
            f"{0.01 + 0.001 * i:.3f}   GHz    {15.5 - 0.00005 * (i % 20000):.2f}    "
            f"{0.15 + 0.00001 * (i % 9000):.2f}    {0.03 + 0.000002 * (i % 30000):.3f}   "
            f"{-179.9 + (i * 7 % 3599) * 0.1:7.1f}  {0.02 + 0.000002 * (i % 30000):.3f}   "
            f"{179.9 - (i * 11 % 3599) * 0.1:7.1f}")),
                        (s2p, lambda i: f"{1 + 0.001 * i:.3f}" + "".join(
                            f"  {0.3 - 0.00001 * (i % 9000) + k / 10:.6f}  "
                            f"{0.01 * (i % 77) - k / 100:.6f}" for k in range(4)))):
        size, i = 0, 0
        while size < 1 << 20:
            lines.append(line(i))
            size += len(lines[-1]) + 1
            i += 1
    paths = (directory / "large.enr", directory / "large.s2p")
    for path, lines in zip(paths, (enr, s2p)):
        path.write_text("\n".join(lines) + "\n")
    return [str(p) for p in paths]


def json_and_sha256(setup):
    """What any reader of the set-up file does at the least: the JSON read
    and the SHA-256 of each embedded file."""
    with open(setup, "rb") as f:
        document = json.load(f)
    return [hashlib.sha256("\n".join(entry["lines"]).encode()).hexdigest()
            for entry in document["data_files"].values()]


def load_setup_ratios(repetitions, calls=5):
    """load_setup()'s CPU time over json_and_sha256's, one ratio per
    repetition, the two run by turns."""
    with tempfile.TemporaryDirectory() as directory:
        enr, s2p = large_data_files(pathlib.Path(directory))
        setup = str(pathlib.Path(directory) / "large.orlavex.json")
        orlavex.save_setup(setup, "freq", 1, 18, 101, enr_table=enr, dut_s2p=s2p)
        loaded = orlavex.load_setup(setup)
        assert loaded["enr_table"] is not None and loaded["dut_s2p"] is not None
        ratios = []
        for _ in range(repetitions):
            ours, _ = cpu_seconds(lambda: [orlavex.load_setup(setup) for _ in range(calls)])
            theirs, _ = cpu_seconds(lambda: [json_and_sha256(setup) for _ in range(calls)])
            ratios.append(ours / theirs)
        return ratios


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def summary(name, values, unit, scale):
    low, mid, high = min(values), statistics.median(values), max(values)
    print(f"{name:<44} min {low * scale:9.2f}  median {mid * scale:9.2f}  "
          f"max {high * scale:9.2f} {unit}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--numpy-ratio-only", action="store_true")
    parser.add_argument("--load-setup-ratio-only", action="store_true")
    args = parser.parse_args()

    if args.load_setup_ratio_only:
        print(f"load before: {load()}")
        summary("load_setup / json.load + SHA-256", load_setup_ratios(args.repetitions), "", 1)
        print(f"load after: {load()}")
        return

    if args.numpy_ratio_only:
        print(f"load before: {load()}")
        for typed, name in ((True, "the fields-imitating numpy script"),
                            (False, "an engineer's own numpy script")):
            summary(f"orlavex.sweep / {name}", numpy_ratios(args.repetitions, typed), "", 1)
        print(f"load after: {load()}")
        return

    point_loop(200)  # warm-up
    python, cpp, overhead = [], [], []
    for _ in range(args.repetitions):
        c = orlavex._point_seconds_in_cpp(CALLS, **POINT_INPUTS) / CALLS
        p = point_loop(CALLS) / CALLS
        cpp.append(c)
        python.append(p)
        overhead.append(p - c)
    print(f"point(mc=False), {CALLS} calls per repetition, {args.repetitions} repetitions")
    summary("  per call through Python", python, "us", 1e6)
    summary("  per call in C++ alone", cpp, "us", 1e6)
    summary("  overhead per call (Python - C++, same rep.)", overhead, "us", 1e6)

    sweep_once()  # warm-up
    sweeps = [sweep_once() for _ in range(max(args.repetitions, 10))]
    print("sweep(): 1001 frequency points, GUM budget, catalogue analyzer and noise source")
    summary("  per sweep", sweeps, "ms", 1e3)

    print("sweep() with an ENR table and an .s2p over numpy scripts of the same figures, CPU time")
    print(f"  load: {load()}")
    summary("  orlavex.sweep / fields-imitating numpy", numpy_ratios(max(args.repetitions, 9)), "",
            1)
    summary("  orlavex.sweep / engineer's own numpy",
            numpy_ratios(max(args.repetitions, 9), typed=False), "", 1)

    print("load_setup() of two embedded files of 1 MB over json.load plus SHA-256, CPU time")
    print(f"  load: {load()}")
    summary("  load_setup / json.load + SHA-256", load_setup_ratios(max(args.repetitions, 9)), "",
            1)


if __name__ == "__main__":
    main()
