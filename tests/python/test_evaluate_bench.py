"""Measured levels evaluated with the bench they were measured on: the
readings a plan predicts for a bench give the DUT back, from the command
line, from a set-up file and from Python."""
import json

import pytest

import orlavex
from conftest import cli_arguments, cli_json, run_cli

DUT = {"dut_nf": 2, "dut_gain": 20}

BENCHES = [
    {"loss_in": 3, "loss_in_temp": 77},
    {"loss_out": 1.5, "loss_out_temp": 350},
    {"loss_in": 0.8, "loss_in_temp": 350, "loss_out": 2, "loss_out_temp": 77},
    {"meas_enr": 6, "loss_in": 1},
]


def levels_of(planned):
    return {name: round(level, 3) for name, level in planned.items()}  # as a field holds it


@pytest.mark.parametrize("bench", BENCHES)
def test_the_planned_readings_evaluate_back_to_the_dut(bench):
    jitter = {"noise_bw": 4e6, "tau": 0.01}
    plan = cli_json("point", "--no-mc", *cli_arguments(**DUT, **bench, **jitter))
    levels = levels_of(plan["planned_readings_dbm"])
    measured = cli_json("evaluate", *cli_arguments(**levels, **bench, **jitter))
    assert measured["classic"] is None
    assert measured["exact"]["nf_dut_db"] == pytest.approx(DUT["dut_nf"], abs=2e-3)
    assert measured["exact"]["gain_db"] == pytest.approx(DUT["dut_gain"], abs=2e-3)
    # The budget of the measured point is the plan's, row by row.
    rows = {row["source"]: row["u_i_db"] for row in plan["gum"]["budget"]}
    for row in measured["gum"]["budget"]:
        assert row["u_i_db"] == pytest.approx(rows[row["source"]], abs=1e-4), row["source"]
    assert measured["gum"]["U_db"] == pytest.approx(plan["gum"]["U_db"], abs=1e-4)
    by_python = orlavex.evaluate(**levels, **bench, **jitter)
    assert by_python["exact"] == measured["exact"] and by_python["gum"] == measured["gum"]


def test_a_saved_bench_is_evaluated_not_dropped(tmp_path):
    bench = {"loss_in": 3, "loss_in_temp": 290}
    setup = tmp_path / "bench.orlavex.json"
    plan = cli_json("point", "--no-mc", *cli_arguments(**DUT, **bench),
                    "--save-setup", setup)
    levels = levels_of(plan["planned_readings_dbm"])
    measured = cli_json("evaluate", "--setup", setup, *cli_arguments(**levels))
    assert measured["exact"]["nf_dut_db"] == pytest.approx(2, abs=2e-3)
    assert measured["inputs"]["loss_in_db"] == 3
    # Without the bench the same levels read 3 dB worse: the loss counted
    # to the DUT.
    bare = cli_json("evaluate", *cli_arguments(**levels))
    assert bare["exact"]["nf_dut_db"] == pytest.approx(5, abs=2e-3)
    assert bare["classic"]["nf_dut_db"] == pytest.approx(5, abs=2e-2)


def test_a_bad_bench_is_refused_before_any_evaluation():
    status, out, err = run_cli("evaluate", "--meas-on", -90, "--meas-off", -100,
                               "--cal-on", -97, "--cal-off", -102, "--loss-in", -1)
    assert status == 2 and out == "" and "loss before the DUT -1 dB" in err
