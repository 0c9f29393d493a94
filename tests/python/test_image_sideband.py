"""A frequency-converting DUT's image band through the module: the frequency
plan beside the inputs, the budget's image rows, the classic figures
withheld, and the refusals."""
import math

import pytest

import orlavex
from conftest import EXAMPLES

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


def levels(readings):
    return {level: [dbm] for level, dbm in readings.items()}


@pytest.mark.parametrize("image", [
    dict(sideband="dsb"),
    dict(image_ratio=-6),
    dict(sideband="dsb", image_ratio=-3, lo_side="above", loss_in=2),
])
def test_the_planned_readings_of_a_mixer_evaluate_back_to_its_figures(image):
    plan = dict(freq2=1, freq_conv=True, **image)
    readings = orlavex.point(**plan, freq=10, dut_nf=8, dut_gain=10,
                             mc=False)["planned_readings_dbm"]
    measured = orlavex.evaluate(**plan, **levels(readings), freq=[10])
    assert measured["dut_nf_db"][0] == pytest.approx(8, abs=1e-9)
    assert measured["dut_gain_db"][0] == pytest.approx(10, abs=1e-9)


# Readings evaluated as if the DUT had no image: with equal ENRs in both
# bands a DSB mixer reads its DSB figure, an SSB one 10 log10(1 + r) too low.
@pytest.mark.parametrize("image, reads_db", [
    (dict(sideband="dsb"), 8),
    (dict(image_ratio=0), 8 - 10 * math.log10(2)),
    (dict(image_ratio=-6), 8 - 10 * math.log10(1 + 10 ** -0.6)),
])
def test_an_image_left_out_of_the_evaluation_misreads_an_ssb_figure(image, reads_db):
    readings = orlavex.point(freq=10, freq2=1, freq_conv=True, dut_nf=8, dut_gain=10,
                             mc=False, **image)["planned_readings_dbm"]
    plain = orlavex.evaluate(freq=[10], freq2=1, freq_conv=True, **levels(readings))
    assert plain["dut_nf_db"][0] == pytest.approx(reads_db, abs=1e-9)


def test_u_against_the_image_rejection_rises_with_the_image():
    arrays = orlavex.sweep("image-ratio", -30, 0, 7, freq=10, freq2=1, freq_conv=True,
                           dut_nf=8, dut_gain=10, image_ratio_unc=1)
    assert list(arrays)[0] == "image_ratio_db"
    u = list(arrays["U_db"])
    # -30 dB of rejection known to 1 dB hardly counts (U within 2 mdB of the
    # DSB-free figure); from -15 dB on it rises to half a dB a dB at 0 dB.
    assert max(u[:3]) - min(u[:3]) < 0.002
    assert all(a < b for a, b in zip(u[3:], u[4:])), u
    assert u[-1] == pytest.approx(math.hypot(u[0], 0.5), abs=0.01)


def test_a_typed_image_enr_counts_and_a_table_refuses_it():
    dsb = dict(MIXER, sideband="dsb", image_ratio_unc=1)
    equal = {r["source"]: r["c"] for r in orlavex.point(**dsb)["gum"]["budget"]}
    lower = {r["source"]: r["c"] for r in orlavex.point(**dsb, image_enr=12)["gum"]["budget"]}
    # Equal ENRs: the ratio does not count; a colder image band makes it count.
    assert equal["image_ratio"] == pytest.approx(0, abs=1e-6)
    assert abs(lower["image_ratio"]) > 0.05
    with pytest.raises(ValueError, match="cannot be typed as well"):
        orlavex.sweep("freq", 5, 6, 3, freq2=1, freq_conv=True, fixed_if=True, sideband="dsb",
                      image_enr=12, enr_table=str(EXAMPLES / "noise_source.enr"))


def test_image_inputs_without_an_image_response_are_said_to_be_unused():
    notes = orlavex.point(**MIXER, image_ratio_unc=1)["notes"]
    assert any("not used" in note for note in notes)

