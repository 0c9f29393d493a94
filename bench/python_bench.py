#!/usr/bin/env python3
"""Benchmarks of the Python module orlavex (not a test).

  PYTHONPATH=build/src/python python3 bench/python_bench.py [--repetitions 5]

point(mc=False): 10 000 calls through Python against the same 10 000 in C++
alone (orlavex._point_seconds_in_cpp: start the window, enter the inputs,
budget, JSON document), measured in the same repetition; the difference per
call is the binding's overhead (keyword arguments in, Python objects out).
sweep(): 1001 frequency points with the GUM budget, catalogue instruments.
sweep() against numpy: the 1001-point sweep with an ENR table and an .s2p
beside an engineer's own vectorised numpy script of the same figures
(numpy_sweep_baseline.py, checked to agree), the two run by turns; the
ratio of their CPU times (orlavex.sweep's threads included) per repetition.
Figures as min/median/max over the repetitions.

  --numpy-ratio-only   just the ratio to numpy (with --repetitions)
"""
import argparse
import pathlib
import statistics
import sys
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


def numpy_ratios(repetitions):
    """orlavex.sweep's CPU time over the numpy script's, one ratio per repetition."""
    ours = numpy_baseline.sweep(*DATA_FILES)
    numpy_baseline.check_agreement(ours, numpy_baseline.orlavex_sweep(*DATA_FILES))
    ratios = []
    for _ in range(repetitions):
        orlavex_cpu, _ = cpu_seconds(lambda: numpy_baseline.orlavex_sweep(*DATA_FILES))
        numpy_cpu, _ = cpu_seconds(lambda: numpy_baseline.sweep(*DATA_FILES))
        ratios.append(orlavex_cpu / numpy_cpu)
    return ratios


def summary(name, values, unit, scale):
    low, mid, high = min(values), statistics.median(values), max(values)
    print(f"{name:<44} min {low * scale:9.2f}  median {mid * scale:9.2f}  "
          f"max {high * scale:9.2f} {unit}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--numpy-ratio-only", action="store_true")
    args = parser.parse_args()

    if args.numpy_ratio_only:
        for ratio in numpy_ratios(args.repetitions):
            print(f"orlavex.sweep / numpy CPU ratio {ratio:.3f}")
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

    ratios = numpy_ratios(max(args.repetitions, 9))
    print("sweep() with an ENR table and an .s2p over the same numpy script, CPU time")
    summary("  orlavex.sweep / numpy", ratios, "", 1)


if __name__ == "__main__":
    main()
