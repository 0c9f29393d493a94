"""A frequency-converting DUT's image band through the module: the frequency
plan beside the inputs, the budget's image rows, the classic figures
withheld, and the refusals."""
import math

import pytest

import orlavex

MIXER = dict(freq=10, freq2=1, freq_conv=True, dut_nf=8, dut_gain=10, mc=False)


@pytest.mark.parametrize("side, lo, image", [
    ("below", 9, 8),
    ("above", 11, 12),
])
def test_the_frequency_plan_is_echoed_with_the_inputs(side, lo, image):
    inputs = orlavex.point(**MIXER, lo_side=side)["inputs"]
    assert (inputs["lo_ghz"], inputs["image_ghz"]) == pytest.approx((lo, image))
    assert inputs["lo_side"] == side


def test_an_image_response_adds_its_rows_and_withholds_the_classic_figures():
    plain = orlavex.point(**MIXER)
    dsb = orlavex.point(**MIXER, sideband="dsb", image_ratio_unc=0.5)
    rows = {row["source"]: row for row in dsb["gum"]["budget"]}
    assert {"image_ratio", "enr_image"} <= rows.keys()
    assert plain["classic"] is not None and dsb["classic"] is None
    assert any("image band" in note for note in dsb["notes"])
    # Equal ENRs in both bands: a DSB measurement does not feel the ratio.
    assert rows["image_ratio"]["c"] == pytest.approx(0, abs=1e-6)


def test_an_ssb_measurement_of_a_dsb_mixer_feels_half_the_ratio():
    ssb = orlavex.point(**MIXER, image_ratio=0, image_ratio_unc=1)
    rows = {row["source"]: row for row in ssb["gum"]["budget"]}
    assert rows["image_ratio"]["c"] == pytest.approx(-0.5, abs=1e-3)
    # Its row adds (k = 2) 2 * 0.5 * 0.5 dB in quadrature.
    plain = orlavex.point(**MIXER)["gum"]["U_db"]
    assert ssb["gum"]["U_db"] == pytest.approx(math.hypot(plain, 0.5), abs=0.01)


@pytest.mark.parametrize("inputs, message", [
    (dict(freq=10, dut_nf=8, sideband="dsb", mc=False), "frequency-converting"),
    (dict(MIXER, dut_nf=2, image_ratio=0), "10 log10"),
    (dict(MIXER, freq2=10, sideband="dsb"), "has no image"),
    (dict(MIXER, sideband="both"), "not in {ssb,dsb}"),
])
def test_an_image_the_model_cannot_use_is_refused(inputs, message):
    with pytest.raises(ValueError, match=message):
        orlavex.point(**inputs)


def test_a_sweep_of_a_converting_dut_has_the_frequency_plan_columns():
    arrays = orlavex.sweep("freq", 5, 6, 3, freq2=1, freq_conv=True, fixed_if=True,
                           dut_nf=8, dut_gain=10, sideband="dsb")
    assert list(arrays["lo_ghz"]) == pytest.approx([4, 4.5, 5])
    assert list(arrays["image_ghz"]) == pytest.approx([3, 3.5, 4])
    assert all(u > 0 for u in arrays["U_db"])


def test_evaluate_refuses_an_image_response_rather_than_dropping_it():
    with pytest.raises(ValueError, match="image"):
        orlavex.evaluate(freq=10, freq2=1, freq_conv=True, sideband="dsb", cal_off=-100,
                         cal_on=-90, meas_off=-80, meas_on=-75)
