"""The Monte Carlo and sweeps run without the GIL: another Python thread
keeps running while they compute."""
import threading
import time

import orlavex


def other_thread_runs_during(call):
    window = {}

    def worker():
        window["start"] = time.perf_counter()
        call()
        window["end"] = time.perf_counter()

    ticks = []
    thread = threading.Thread(target=worker)
    thread.start()
    while thread.is_alive():
        ticks.append(time.perf_counter())
    thread.join()
    start, end = window["start"], window["end"]
    # Holding the GIL, the call would let no tick happen in its middle (the
    # interpreter hands the GIL over only between bytecodes: just before and
    # after the call).
    middle = (start + 0.3 * (end - start), start + 0.7 * (end - start))
    return end - start, sum(middle[0] < t < middle[1] for t in ticks)


def test_monte_carlo_releases_the_gil():
    duration, ticks = other_thread_runs_during(
        lambda: orlavex.monte_carlo(trials=3_000_000, samples=True))
    assert ticks > 0, duration


def test_sweep_releases_the_gil(examples):
    duration, ticks = other_thread_runs_during(lambda: orlavex.sweep(
        "freq", 1, 18, 41, enr_table=examples / "noise_source.enr", mc=True, trials=40000))
    assert ticks > 0, duration
