"""Every command takes the same inputs from the command line and from
Python: an option of `orlavex-cli CMD` is a keyword of the function that does
the same, and the other way round, but for what only one front-end can do."""
import inspect
import re

import pytest

import orlavex
from conftest import run_cli

# What only one front-end has, and why.
CLI_ONLY = {
    "setup", "save_setup",  # Python has load_setup() and save_setup()
    "format", "plot",       # how the command line writes its table
    "paper", "advise",      # the report, which only the command line writes
}
# The report of measured readings, which only the command line writes; Python
# evaluates readings with evaluate(readings=..., calibration=...).
CLI_ONLY_IN = {"report": {"readings", "calibration"}}
PYTHON_ONLY = {"progress"}  # a callback; the command line shows its own progress line
# Same input, other name: `from` is a Python keyword; the command line's
# Monte Carlo of a point is on unless --no-mc.
RENAMED = {"from": "start", "to": "stop", "no_mc": "mc"}

# The command, the Python functions that do what it does.
COMMANDS = [
    ("point", ["point", "budget"]),
    ("evaluate", ["evaluate"]),
    ("sweep", ["sweep", "save_setup"]),
    ("advise", ["advise"]),
    ("report", ["sweep"]),
]


def cli_inputs(command):
    status, out, err = run_cli(command, "--help")
    assert status == 0, err
    options = {m.group(1).replace("-", "_")
               for m in re.finditer(r"^\s+(?:-\w, )?--([a-z0-9][a-z0-9-]*)", out, re.M)}
    options.discard("help")
    return {RENAMED.get(o, o) for o in options} - CLI_ONLY - CLI_ONLY_IN.get(command, set())


def python_inputs(function):
    parameters = set(inspect.signature(getattr(orlavex, function)).parameters)
    # save_setup's file is what the command line's --save-setup names.
    return parameters - PYTHON_ONLY - {"path"}


@pytest.mark.parametrize("command, functions", COMMANDS)
def test_a_command_takes_the_same_inputs_in_both_front_ends(command, functions):
    cli = cli_inputs(command)
    for function in functions:
        python = python_inputs(function)
        if function == "budget":  # the budget alone: no Monte Carlo to switch
            python |= {"mc"}
        assert sorted(cli - python) == [], f"orlavex-cli {command} only"
        assert sorted(python - cli) == [], f"orlavex.{function} only"


@pytest.mark.parametrize("function", ["point", "evaluate", "sweep", "advise", "save_setup"])
def test_the_docs_list_every_keyword_a_function_takes(function):
    inputs = getattr(orlavex, function).__doc__.split("\nInputs (")[1]
    listed = set(re.findall(r"^    ([a-z][a-z0-9_]*)  ", inputs, re.M))
    signature = set(inspect.signature(getattr(orlavex, function)).parameters)
    leading = {"over", "start", "stop", "points", "log", "enr_table", "dut_s2p", "mc",
               "match_form", "fixed_if", "fixed_lo", "progress", "path", "cal_on", "cal_off",
               "meas_on", "meas_off", "readings", "calibration"}
    assert sorted(signature - leading - listed) == []
    assert sorted(listed - signature) == []


def test_the_advice_takes_the_jitter_and_no_monte_carlo():
    ranked = orlavex.advise(1, 2, points=3, noise_bw=4e6, tau=0.01, analyzer="Aravel-4")
    quiet = orlavex.advise(1, 2, points=3, analyzer="Aravel-4")
    assert ranked["ranking"][0]["worst_U_db"] > quiet["ranking"][0]["worst_U_db"]
    with pytest.raises(TypeError, match="trials"):
        orlavex.advise(1, 2, points=3, trials=10)
