"""The bench around the DUT from Python: the same keywords as orlavex-cli's
options (loss_in for --loss-in), the same budget rows and numbers, the same
one-line refusals as ValueError, and a sweep over a loss."""
import math

import numpy
import pytest

import orlavex
from conftest import cli_json, cli_refusal, EXAMPLES

DATA = EXAMPLES.parent / "tests" / "data"


def row(result, source):
    return next((line for line in result["gum"]["budget"] if line["source"] == source), None)


def test_loss_before_a_high_gain_dut_counts_one_for_one():
    result = orlavex.point(loss_in=1, loss_in_unc=0.1, dut_gain=40, mc=False)
    line = row(result, "loss_in")
    assert line["u"] == pytest.approx(0.05)
    assert 0.9 < abs(line["c"]) < 1.1
    cli = cli_json("point", "--loss-in", 1, "--loss-in-unc", 0.1, "--dut-gain", 40,
                   "--trials", 10)
    assert result["gum"] == cli["gum"]
    assert result["classic"] == cli["classic"]
    assert result["inputs"]["loss_in_db"] == 1


def test_files_and_the_measurement_source_match_the_cli():
    inputs = dict(loss_in_s2p=EXAMPLES / "input_cable.s2p", loss_out=0.5, loss_out_temp=77,
                  meas_noise_source="NS346A", freq=6)
    result = orlavex.point(mc=False, **inputs)
    cli = cli_json("point", "--loss-in-s2p", EXAMPLES / "input_cable.s2p", "--loss-out", 0.5,
                   "--loss-out-temp", 77, "--meas-noise-source", "NS346A", "--freq", 6,
                   "--trials", 10)
    assert result["gum"] == cli["gum"]
    assert result["inputs"]["loss_in_db"] == pytest.approx(0.73)
    assert row(result, "enr_meas") is not None


@pytest.mark.parametrize("inputs", [
    dict(loss_in=-1),
    dict(loss_out_temp=-1),
    dict(loss_in_temp=math.inf),
    dict(loss_in_s2p=DATA / "dut_input.s1p"),
    dict(loss_out_s2p=DATA / "amplifier.s2p"),
    dict(meas_enr=10, meas_noise_source="NS346A"),
], ids=str)
def test_bad_bench_input_is_a_value_error_with_the_cli_line(inputs):
    arguments = []
    for key, value in inputs.items():
        arguments += ["--" + key.replace("_", "-"), value]
    expected = cli_refusal("point", *arguments)
    with pytest.raises(ValueError) as refused:
        orlavex.point(mc=False, **inputs)
    assert str(refused.value) == expected


def test_a_sweep_over_the_loss_before_the_dut_raises_the_uncertainty():
    # The loss lowers the Y factor; the readings' scatter weighs the more.
    arrays = orlavex.sweep(over="loss_in", start=0, stop=3, points=7, loss_in_unc=0.1,
                           noise_bw=4e6, tau=1e-4)
    assert list(arrays)[0] == "loss_in_db"
    assert list(arrays)[-1] == "loss_out_db"
    assert numpy.all(numpy.diff(arrays["U_db"]) > 0)


def test_a_measurement_source_outside_its_band_is_noted_or_refused_as_the_cli():
    inputs = dict(meas_noise_source="NS346B", freq=20)
    expected = cli_refusal("point", "--meas-noise-source", "NS346B", "--freq", 20, "--strict")
    assert expected == ("meas_noise_source: 20 GHz is above the measurement noise source "
                        "NS346B's limit of 18 GHz; refused with strict=True")
    with pytest.raises(ValueError) as refused:
        orlavex.point(mc=False, strict=True, **inputs)
    assert str(refused.value) == expected
    noted = orlavex.point(mc=False, **inputs)["notes"]
    assert expected.removesuffix("; refused with strict=True") in noted
