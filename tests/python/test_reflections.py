"""The reflections at the DUT input known from the files: the source-match
bias of a sweep with an ENR table carrying the source's on and off
reflections and a DUT .s2p with its noise block."""
import cmath
import math
import re

import orlavex
import pytest
from conftest import EXAMPLES, REPO, cli_arguments, cli_json

DATA = REPO / "tests" / "data"


def test_known_reflections_add_the_source_match_bias_column():
    files = dict(enr_table=str(EXAMPLES / "noise_source.enr"),
                 dut_s2p=str(EXAMPLES / "lna_1-18ghz.s2p"), dut_nf=2)
    random = orlavex.sweep("freq", 2, 12, 6, **files)
    known = orlavex.sweep("freq", 2, 12, 6, reflections="known", **files)
    assert "source_match_bias_db" not in random
    bias = list(known["source_match_bias_db"])
    assert all(abs(b) > 1e-4 for b in bias) and max(abs(b) for b in bias) < 1
    # Known in phase, the source-DUT mismatch leaves the budget as a row.
    assert list(known["U_db"]) != list(random["U_db"])


# The files' LNA and source at 2 GHz, typed: the model's example.
TYPED = dict(source_on_gamma=cmath.rect(0.05, math.radians(30)),
             source_off_gamma="0.12@-80", dut_s11="0.5@-60", dut_nfmin=0.4,
             dut_gamma_opt=cmath.rect(0.3, math.radians(40)), dut_rn=0.15)


def test_a_point_with_typed_reflections_gives_the_command_lines_bias():
    point = orlavex.point(freq=2, dut_gain=20, reflections="known", mc=False, **TYPED)
    args = cli_arguments(freq=2, dut_gain=20, reflections="known", no_mc=True,
                         source_on_gamma="0.05@30", source_off_gamma="0.12@-80",
                         dut_s11="0.5@-60", dut_nfmin=0.4, dut_gamma_opt="0.3@40", dut_rn=0.15)
    cli = cli_json("point", *args)
    assert point["source_match_bias_db"] == pytest.approx(cli["source_match_bias_db"], abs=1e-12)
    assert point["source_match_bias_db"] == pytest.approx(-0.58, abs=0.01)
    assert point["inputs"]["dut_gamma_opt"] == pytest.approx([0.3, 40])
    assert "source_match_bias_db" not in orlavex.point(freq=2, mc=False)


@pytest.mark.parametrize("keyword, value, says", [
    ("dut_s11", 1.0, "dut_s11"),
    ("dut_s11", complex(0.8, 0.8), "below 1 in magnitude"),
    ("dut_s11", "1@0", "MAG@DEG"),
    ("dut_s11", complex(math.nan, 0), "dut_s11"),
    ("dut_s11", True, "dut_s11"),
    ("source_on_gamma", "0.5@", "source_on_gamma"),
    ("dut_rn", -0.1, "dut_rn: -0.1 is out of range"),
    ("dut_nfmin", -0.5, "dut_nfmin: -0.5 is out of range"),
    ("dut_nfmin", math.inf, "dut_nfmin: must be a finite number"),
])
def test_bad_typed_reflections_raise_value_error(keyword, value, says):
    with pytest.raises(ValueError, match=re.escape(says)):
        orlavex.point(freq=2, reflections="known", mc=False, **{**TYPED, keyword: value})


def test_a_point_with_the_files_gives_the_sweeps_bias_at_its_frequency():
    files = dict(enr_table=str(DATA / "reflections_source.enr"),
                 dut_s2p=str(DATA / "reflections_lna.s2p"))
    point = orlavex.point(freq=2, reflections="known", mc=False, **files)
    sweep = orlavex.sweep("freq", 1.5, 2, 2, reflections="known", **files)
    assert point["source_match_bias_db"] == pytest.approx(sweep["source_match_bias_db"][-1],
                                                          abs=1e-9)
    with pytest.raises(ValueError, match="dut_s11: the file reflections_lna.s2p gives"):
        orlavex.point(freq=2, reflections="known", mc=False, dut_s11="0.5@-60", **files)


@pytest.mark.parametrize("typed, named", [
    (dict(reflections="known"), "reflections='known'"),
    (dict(dut_s11=0.5 * cmath.exp(-1j * math.pi / 3)), "dut_s11"),
])
def test_evaluate_refuses_known_reflections_instead_of_dropping_them(typed, named):
    with pytest.raises(ValueError, match=re.escape(named + ": the readings are evaluated")):
        orlavex.evaluate(-108.896, -114, -94.663, -102.223, **typed)


@pytest.mark.parametrize("freq, reflections", [(2, "known"), (2.7, "known"), (2, "random")])
def test_monte_carlo_with_the_files_is_the_command_lines(freq, reflections):
    files = dict(enr_table=str(DATA / "reflections_source.enr"),
                 dut_s2p=str(DATA / "reflections_lna.s2p"))
    mc = orlavex.monte_carlo(trials=4000, seed=11, freq=freq, reflections=reflections, **files)
    cli = cli_json("point", *cli_arguments(freq=freq, reflections=reflections, trials=4000,
                                           seed=11, **files))
    assert mc == cli["monte_carlo"]
    # The mean carries the source-match bias where the reflections are known.
    bias = cli.get("source_match_bias_db", 0)
    assert (reflections == "known") == (abs(bias) > 0.1)
    assert mc["mean_db"] == pytest.approx(bias, abs=5 * mc["std_db"] / math.sqrt(4000))
