"""orlavex.Instrument against orlavex-sim (ORLAVEX_SIM, set by CTest), which
each test starts on a free loopback port and stops again."""
import os
import pathlib
import select
import subprocess

import pytest

import orlavex

REPO = pathlib.Path(__file__).resolve().parents[2]
SIM = os.environ.get("ORLAVEX_SIM", str(REPO / "build" / "orlavex-sim"))
PLAN = REPO / "tests" / "instruments" / "data" / "plan.orlavex.json"


@pytest.fixture
def simulator(request):
    """Starts orlavex-sim with the test's faults; its resource string."""
    faults = getattr(request, "param", [])
    sim = subprocess.Popen([SIM, "--setup", str(PLAN), "--listen", "127.0.0.1:0", *faults],
                           stdout=subprocess.PIPE, text=True)
    try:
        ready, _, _ = select.select([sim.stdout], [], [], 10)
        assert ready, "orlavex-sim did not start"
        line = sim.stdout.readline()
        assert line.startswith("listening on 127.0.0.1:"), line
        yield f"TCPIP::127.0.0.1::{line.rsplit(':', 1)[1].strip()}::SOCKET", sim
    finally:
        sim.terminate()
        sim.wait(timeout=10)


def test_queries_and_commands_with_the_error_queue_read(simulator):
    resource, _ = simulator
    with orlavex.Instrument(resource, timeout=5) as sa:
        assert sa.resource == resource
        assert sa.query("*IDN?") == "Orlavex,Simulated noise bench,0,1.0"
        sa.write("SIM:DUT ON")
        assert sa.query("SIM:DUT?") == "ON"
        sa.write("FREQ:CENT 2000000000")
        sa.write("INIT:IMM")
        density = sa.query_number("CALC:MARK:FUNC:NOIS:RES?")
        assert -180 < density < -100
        with pytest.raises(RuntimeError, match=r'-113,"Undefined header" after "BOGUS:CMD"'):
            sa.write("BOGUS:CMD")
        with pytest.raises(RuntimeError, match=r"not a number"):
            sa.query_number("*IDN?")
        # The queue was emptied by the failure: the next command goes through.
        sa.write("SIM:DUT OFF")
    with pytest.raises(ConnectionError):
        sa.query("*IDN?")


@pytest.mark.parametrize("simulator", [["--overload"]], indirect=True)
def test_an_overload_raises(simulator):
    resource, _ = simulator
    with orlavex.Instrument(resource, timeout=5) as sa:
        with pytest.raises(RuntimeError, match=r"overload \(9\.91e\+37\)"):
            sa.query_number("CALC:MARK:FUNC:NOIS:RES?")


@pytest.mark.parametrize("simulator", [["--delay", "500"]], indirect=True)
def test_a_late_reply_raises_timeout(simulator):
    resource, _ = simulator
    with orlavex.Instrument(resource, timeout=0.1) as sa:
        with pytest.raises(TimeoutError, match=r'did not reply to "\*IDN\?" in time'):
            sa.query("*IDN?")


def test_a_lost_connection_raises(simulator):
    resource, sim = simulator
    sa = orlavex.Instrument(resource, timeout=5)
    sim.terminate()
    sim.wait(timeout=10)
    with pytest.raises(ConnectionError, match="lost the connection"):
        sa.query("*IDN?")


@pytest.mark.parametrize("resource,message", [
    ("GPIB::12::INSTR", "not an instrument address"),
    ("TCPIP::127.0.0.1::0::SOCKET", "port is a number from 1 to 65535"),
])
def test_a_bad_resource_or_timeout_raises_value_error(resource, message):
    with pytest.raises(ValueError, match=message):
        orlavex.Instrument(resource)
    with pytest.raises(ValueError, match="timeout"):
        orlavex.Instrument("TCPIP::127.0.0.1::5025::SOCKET", timeout=0)
