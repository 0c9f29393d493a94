"""Levels as arrays: orlavex.evaluate() given numpy arrays (or lists) of
levels and frequencies evaluates each point as a readings file's single
readings are, and orlavex.read_readings() gives a file's points as
arrays."""
import math

import numpy as np
import pytest

import orlavex
from conftest import cli_arguments, cli_json

LEVELS = ("cal_off", "cal_on", "meas_off", "meas_on")
HEADER = "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n"
SETUP = {"loss_in": 0.8, "loss_in_temp": 350, "noise_bw": 4e6, "tau": 0.01}
KEYS = ("freq_ghz", "readings", "dut_nf_db", "dut_gain_db", "u_db", "U_db", "k", "nu_eff")


def planned_levels(freqs):
    plans = [cli_json("point", "--no-mc", *cli_arguments(dut_nf=2.5, dut_gain=18, freq=f,
                                                          **SETUP)) for f in freqs]
    return {k: np.array([p["planned_readings_dbm"][k] for p in plans]) for k in LEVELS}


def same(a, b):
    for key in KEYS:
        np.testing.assert_array_equal(a[key], b[key], err_msg=key)
    assert a["notes"] == b["notes"]


def test_arrays_evaluate_as_a_readings_file_does(tmp_path):
    freqs = np.array([1.2, 2.5, 4.0])
    levels = planned_levels(freqs)
    path = tmp_path / "r.csv"
    path.write_text(HEADER + "".join(
        ",".join(repr(float(x)) for x in (f, *(levels[k][i] for k in LEVELS))) + "\n"
        for i, f in enumerate(freqs)))
    by_file = orlavex.evaluate(readings=path, **SETUP)
    by_arrays = orlavex.evaluate(freq=freqs, **levels, **SETUP)
    same(by_arrays, by_file)
    assert list(by_arrays["dut_nf_db"]) == pytest.approx([2.5] * 3, abs=1e-9)
    # Lists are arrays too; read_readings() gives the file back as arrays.
    same(orlavex.evaluate(freq=list(freqs), **{k: list(v) for k, v in levels.items()}, **SETUP),
         by_file)
    read = orlavex.read_readings(path)
    same(orlavex.evaluate(freq=read["freq_ghz"], cal_off=read["cal_off_dbm"],
                          cal_on=read["cal_on_dbm"], meas_off=read["meas_off_dbm"],
                          meas_on=read["meas_on_dbm"], **SETUP), by_file)


def test_a_number_stands_for_every_point_and_points_may_share_a_frequency():
    """Many draws at one frequency: the frequency and the calibration given
    once, the measured levels as arrays; each point as the scalars give it."""
    levels = {k: float(v[0]) for k, v in planned_levels([3.0]).items()}
    meas_on = levels["meas_on"] + np.array([0.0, 0.05, -0.1, 0.2])
    out = orlavex.evaluate(freq=3.0, cal_off=levels["cal_off"], cal_on=levels["cal_on"],
                           meas_off=levels["meas_off"], meas_on=meas_on, **SETUP)
    assert list(out["freq_ghz"]) == [3.0] * 4 and list(out["readings"]) == [1] * 4
    for i, on in enumerate(meas_on):
        one = orlavex.evaluate(freq=3.0, **{**levels, "meas_on": float(on)}, **SETUP)
        assert set(one) >= {"inputs", "classic", "exact", "gum"}  # scalars: as before
        assert out["dut_nf_db"][i] == pytest.approx(one["exact"]["nf_dut_db"], abs=2e-3)
        assert out["U_db"][i] == pytest.approx(one["gum"]["U_db"], rel=1e-3)
    # A higher source-on level is a larger Y factor: a lower noise figure.
    assert list(np.argsort(out["dut_nf_db"])) == [3, 1, 0, 2]


BAD = [
    ("unequal lengths", {"meas_on": [-80, -81], "meas_off": [-90, -91, -92]},
     "meas_off and meas_on: arrays of equal length, found 3 and 2"),
    ("not finite", {"meas_on": [-80, math.nan], "meas_off": -90},
     "meas_on: expected finite numbers, found nan at index 1"),
    ("two dimensions", {"meas_on": np.zeros((2, 2)), "meas_off": -90},
     "meas_on: expected an array of one dimension"),
    ("not numbers", {"meas_on": ["a", "b"], "meas_off": -90},
     "meas_on: expected numbers"),
    ("empty", {"meas_on": [], "meas_off": []}, "meas_off: an array of one value or more"),
    ("half the calibration", {"cal_on": [-95], "meas_on": [-80], "meas_off": [-90]},
     "cal_off and cal_on go together"),
    ("frequency 0", {"freq": [1, 0], "meas_on": -80, "meas_off": -90},
     "freq: expected frequencies above 0 GHz, found 0.0"),
]


@pytest.mark.parametrize("why,given,message", BAD, ids=[b[0] for b in BAD])
def test_arrays_that_cannot_be_taken_are_refused(why, given, message):
    with pytest.raises(ValueError, match=message):
        orlavex.evaluate(**given)


def test_read_readings_averages_repeated_rows_as_powers(tmp_path):
    path = tmp_path / "r.csv"
    path.write_text("freq_ghz,freq2_ghz,meas_off_dbm,meas_on_w\n"
                    "10,1.5,-90,1e-11\n10,1.5,-87,3e-11\n12,1.5,-91,1e-11\n12,1.5,-91,1e-11\n")
    r = orlavex.read_readings(path)
    assert sorted(r) == ["cal_off_dbm", "cal_on_dbm", "freq2_ghz", "freq_ghz", "meas_off_dbm",
                         "meas_on_dbm", "readings"]
    assert list(r["freq_ghz"]) == [10, 12] and list(r["freq2_ghz"]) == [1.5, 1.5]
    assert list(r["readings"]) == [2, 2] and r["readings"].dtype.kind == "i"
    mean = 10 * math.log10((10 ** -9 + 10 ** -8.7) / 2)
    assert r["meas_off_dbm"] == pytest.approx([mean, -91], abs=1e-12)
    assert r["meas_on_dbm"] == pytest.approx([-80 + 10 * math.log10(2), -80], abs=1e-12)
    assert np.all(np.isnan(r["cal_off_dbm"])) and np.all(np.isnan(r["cal_on_dbm"]))
    with pytest.raises(OSError, match=r"r\.csv:1: unknown column"):
        path.write_text("freq_ghz,level_dbm\n")
        orlavex.read_readings(path)
