"""Shared helpers: the built orlavex-cli (ORLAVEX_CLI, set by CTest) and the
example data files (ORLAVEX_EXAMPLES)."""
import json
import os
import pathlib
import re
import subprocess

import pytest

REPO = pathlib.Path(__file__).resolve().parents[2]
CLI = os.environ.get("ORLAVEX_CLI", str(REPO / "build" / "orlavex-cli"))
EXAMPLES = pathlib.Path(os.environ.get("ORLAVEX_EXAMPLES", REPO / "examples"))


def cli_arguments(**inputs):
    """orlavex-cli's options for keyword inputs: --dut-nf 8.5 for dut_nf=8.5,
    a bare flag for True, nothing for False."""
    arguments = []
    for key, value in inputs.items():
        option = "--" + key.replace("_", "-")
        if value is True:
            arguments.append(option)
        elif value is False:
            continue
        else:
            arguments += [option, str(value)]
    return arguments


def run_cli(*arguments):
    """(exit status, standard output, standard error) of orlavex-cli."""
    done = subprocess.run([CLI, *map(str, arguments)], capture_output=True, text=True,
                          check=False)
    return done.returncode, done.stdout, done.stderr


def cli_json(*arguments):
    status, out, err = run_cli("--json", *arguments)
    assert status == 0, err
    return json.loads(out)


def as_keywords(text):
    """A message of orlavex-cli as the module words it: keywords for options
    (dut_nf for --dut-nf), strict=True for --strict."""
    text = text.replace("refused with --strict", "refused with strict=True")
    text = text.replace("(or --no-second-stage)", "(or no_second_stage=True)")
    text = re.sub(r"orlavex-cli catalogue ([a-z]+)-?([a-z]*)",
                  lambda m: "orlavex." + m.group(1) + ("_" + m.group(2) if m.group(2) else "")
                  + "()", text)
    return re.sub(r"--([a-z0-9][a-z0-9-]*)", lambda m: m.group(1).replace("-", "_"), text)


def cli_refusal(*arguments):
    """The one line orlavex-cli prints for bad input, without its prefix, in
    the module's words."""
    status, out, err = run_cli(*arguments)
    assert status == 2 and out == "", (status, out, err)
    assert err.startswith("orlavex-cli: ") and err.count("\n") == 1, err
    return as_keywords(err[len("orlavex-cli: "):].rstrip("\n"))


@pytest.fixture(scope="session")
def examples():
    return EXAMPLES
