"""orlavex.measure() against orlavex-sim (ORLAVEX_SIM, set by CTest), started
by each test on a free loopback port and stopped again."""
import json
import os
import pathlib
import select
import signal
import subprocess
import sys
import time

import numpy
import pytest

import orlavex
from conftest import as_keywords, run_cli

REPO = pathlib.Path(__file__).resolve().parents[2]
SIM = os.environ.get("ORLAVEX_SIM", str(REPO / "build" / "orlavex-sim"))
PLAN = REPO / "tests" / "instruments" / "data" / "plan.orlavex.json"
MIXER = REPO / "tests" / "instruments" / "data" / "mixer-below.orlavex.json"


class Simulator:
    """orlavex-sim on 127.0.0.1 with ARGS; ask() queries it over a connection
    of the test's own."""

    def __init__(self, *args, setup=PLAN):
        self.process = subprocess.Popen([SIM, "--setup", str(setup), "--listen", "127.0.0.1:0",
                                         *args], stdout=subprocess.PIPE, text=True)
        ready, _, _ = select.select([self.process.stdout], [], [], 10)
        assert ready, "orlavex-sim did not start"
        line = self.process.stdout.readline()
        assert line.startswith("listening on 127.0.0.1:"), line
        self.resource = f"TCPIP::127.0.0.1::{line.rsplit(':', 1)[1].strip()}::SOCKET"

    def ask(self, query):
        with orlavex.Instrument(self.resource, timeout=10) as sim:
            return sim.query(query)

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


@pytest.fixture
def simulator(request):
    sim = Simulator(*getattr(request, "param", []))
    yield sim
    sim.stop()


@pytest.fixture
def profile(tmp_path):
    """The shipped analyzer profile with the simulator's DUT switch (a bench
    with a switch), in a file of the test's own; EDIT changes it first."""
    def write(edit=None):
        p = json.loads((REPO / "data" / "instruments" / "analyzer-marker-noise.json")
                       .read_text())
        p["dut_in"], p["dut_out"] = "SIM:DUT ON", "SIM:DUT OFF"
        if edit:
            edit(p)
        path = tmp_path / "profile.json"
        path.write_text(json.dumps(p))
        return str(path)
    return write


@pytest.mark.parametrize("band,repeat", [
    ({"freq": 2.0}, 1),
    ({"start": 1.0, "stop": 3.0, "points": 5}, 3),
])
def test_results_are_evaluate_of_the_readings_saved(simulator, profile, tmp_path, band, repeat):
    readings = tmp_path / "readings.csv"
    measured = orlavex.measure(simulator.resource, profile=profile(), **band, repeat=repeat,
                               enr=15.0, save_readings=readings, yes=True, timeout=5)
    evaluated = orlavex.evaluate(readings=readings, enr=15.0)
    assert measured.keys() == evaluated.keys()
    for key, column in evaluated.items():
        if key == "notes":
            assert measured[key] == column
        else:
            numpy.testing.assert_array_equal(measured[key], column)
    assert list(measured["readings"]) == [repeat] * len(measured["freq_ghz"])
    # The DUT the simulator holds (3 dB, 20 dB), within the uncertainty.
    assert numpy.all(numpy.abs(measured["dut_nf_db"] - 3.0) <= measured["U_db"])
    assert numpy.all(numpy.abs(measured["dut_gain_db"] - 20.0) <= 0.5)
    assert simulator.ask("SIM:SOURCE?") == "OFF"


def test_a_converting_dut_is_read_at_its_output_and_evaluates_as_the_cli(profile, tmp_path):
    # The simulator's mixer: 9 dB, 8 dB, its LO 10 GHz below the input, an
    # ENR that falls with frequency so that a level read at the wrong
    # frequency shows.
    sim = Simulator("--seed", "3", setup=MIXER)
    try:
        readings = tmp_path / "readings.csv"
        measured = orlavex.measure(sim.resource, profile=profile(), start=11.0, stop=14.0,
                                   points=4, setup=MIXER, save_readings=readings, yes=True,
                                   timeout=5)
        assert sim.ask("SIM:SOURCE?") == "OFF"
    finally:
        sim.stop()
    status, out, err = run_cli("evaluate", "--setup", MIXER, "--readings", readings,
                               "--format", "json")
    assert status == 0, err
    rows = json.loads(out)
    assert [row["freq_ghz"] for row in rows] == [11.0, 12.0, 13.0, 14.0]
    for i, row in enumerate(rows):
        for key in ("freq_ghz", "dut_nf_db", "dut_gain_db", "U_db"):
            assert measured[key][i] == row[key], key
    assert numpy.all(numpy.abs(measured["dut_nf_db"] - 9.0) <= measured["U_db"])
    assert numpy.all(numpy.abs(measured["dut_gain_db"] - 8.0) <= 0.5)


@pytest.mark.parametrize("keywords, dut_file", [({}, False), ({"enr_unc": 0.5}, False),
                                                ({}, True)])
def test_a_set_up_file_evaluates_as_the_cli_evaluates_it(simulator, profile, tmp_path, keywords,
                                                         dut_file):
    setup = PLAN
    if dut_file:
        # The plan with the DUT's S-parameters, whose matches both take.
        saved = orlavex.load_setup(PLAN)
        saved["dut_s2p"] = REPO / "tests" / "data" / "dut_db.s2p"
        setup = tmp_path / "with-dut.orlavex.json"
        orlavex.save_setup(setup, **saved)
    readings = tmp_path / "readings.csv"
    measured = orlavex.measure(simulator.resource, profile=profile(), start=1.0, stop=2.0,
                               points=3, setup=setup, save_readings=readings, yes=True,
                               timeout=5, **keywords)
    options = [a for k, v in keywords.items() for a in ("--" + k.replace("_", "-"), str(v))]
    status, out, err = run_cli("evaluate", "--setup", setup, *options, "--readings", readings,
                               "--format", "json")
    assert status == 0, err
    rows = json.loads(out)
    assert len(rows) == len(measured["freq_ghz"]) == 3
    for i, row in enumerate(rows):
        for key in ("freq_ghz", "dut_nf_db", "dut_gain_db", "u_db", "U_db", "k"):
            assert measured[key][i] == row[key], key
        assert measured["notes"][i] == [as_keywords(n) for n in row.get("notes", [])]


def test_a_scpi_error_raises_naming_it(simulator, profile):
    path = profile(lambda p: p.update(frequency=["FREQ:CENT {freq_hz}", "BOGUS:CMD"]))
    with pytest.raises(RuntimeError, match=r'stopped in the calibration at 2 GHz: .*'
                                           r'-113,"Undefined header" after "BOGUS:CMD"'):
        orlavex.measure(simulator.resource, profile=str(path), freq=2.0, setup=PLAN, yes=True,
                        timeout=5)
    assert simulator.ask("SIM:SOURCE?") == "OFF"


@pytest.mark.parametrize("arguments,message", [
    ({"freq": 2.0, "start": 1.0}, "give one frequency, or start, stop and points"),
    ({"start": 3.0, "stop": 1.0, "points": 3}, "stop at or above start"),
    ({"freq": 2.0, "repeat": 0}, "repeat: a whole number from 1 to 1000"),
    ({"freq": 2.0, "source": "relay"}, "source: give analyzer, supply:RES"),
    ({"freq": 2.0, "profile": "no-such-profile"}, 'no shipped profile named "no-such-profile"'),
    ({"freq": 2.0, "profile": "supply-28v"}, "not an analyzer's profile"),
    ({"freq": 2.0, "setup": MIXER}, "freq: "),
    ({"start": 1.0, "stop": 14.0, "points": 3, "setup": MIXER}, "start and stop: "),
    ({"freq": 2.0, "no_second_stage": True, "save_calibration": "c.csv"},
     "this run measures no calibration"),
])
def test_bad_arguments_raise_before_the_bench_is_touched(arguments, message):
    # A port nothing listens on: the bench is never reached.
    arguments = {"setup": PLAN, **arguments}
    with pytest.raises(ValueError, match=message):
        orlavex.measure("TCPIP::127.0.0.1::9::SOCKET", yes=True, **arguments)


CHILD = """
import sys, orlavex
try:
    orlavex.measure(sys.argv[1], profile=sys.argv[4], start=1.0, stop=3.0, points=40, repeat=2, setup=sys.argv[2],
                    save_readings=sys.argv[3], yes=True, timeout=10)
    print("completed")
except KeyboardInterrupt:
    print("interrupted")
"""


@pytest.mark.parametrize("simulator", [["--delay", "40"]], indirect=True)
def test_ctrl_c_switches_the_source_off_and_raises_keyboard_interrupt(simulator, profile,
                                                                    tmp_path):
    readings = tmp_path / "readings.csv"
    child = subprocess.Popen([sys.executable, "-c", CHILD, simulator.resource, str(PLAN),
                              str(readings), profile()], stdout=subprocess.PIPE, text=True)
    try:
        # Interrupted while the source is on: left alone it would stay on.
        deadline = time.monotonic() + 30
        while simulator.ask("SIM:SOURCE?") != "ON":
            assert time.monotonic() < deadline, "the source never came on"
        child.send_signal(signal.SIGINT)
        out, _ = child.communicate(timeout=60)
    finally:
        if child.poll() is None:
            child.kill()
            child.wait()
    assert out.strip() == "interrupted"
    assert simulator.ask("SIM:SOURCE?") == "OFF"


ASKING_CHILD = """
import sys, orlavex
try:
    orlavex.measure(sys.argv[1], profile=sys.argv[3], freq=2.0, setup=sys.argv[2], timeout=10)
    print("completed")
except EOFError:
    print("no answer")
"""


@pytest.mark.parametrize("answers,ends,asked", [
    ("\n\n", "completed", 2),  # Enter before the calibration and before the DUT
    ("\n", "no answer", 2),    # the input ends at the second question
    ("", "no answer", 1),
])
def test_questions_are_put_with_input(simulator, profile, answers, ends, asked):
    done = subprocess.run([sys.executable, "-c", ASKING_CHILD, simulator.resource, str(PLAN),
                           profile()], input=answers, capture_output=True, text=True, timeout=60)
    assert done.stdout.endswith(ends + "\n"), done.stderr
    questions = ["Connect the noise source straight to the analyzer.",
                 "Put the DUT between the noise source and the analyzer."]
    assert [q in done.stdout for q in questions] == [True] * asked + [False] * (2 - asked)
    assert simulator.ask("SIM:SOURCE?") == "OFF"
