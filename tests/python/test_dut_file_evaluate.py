"""Evaluation with the DUT's S-parameters: orlavex.evaluate(dut_s2p=...)
takes the DUT's matches at each frequency as `orlavex-cli evaluate --dut-s2p`
does, for a readings file, arrays of levels and four levels, whether the file
is a path or carried whole."""
import pathlib

import numpy
import pytest

import orlavex
from conftest import cli_arguments, cli_json

DUT = pathlib.Path(__file__).resolve().parents[1] / "data" / "dut_db.s2p"
HEADER = "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n"
LEVELS = ("cal_off", "cal_on", "meas_off", "meas_on")
# The file runs from 1 to 4 GHz: 6 GHz is held from its last record, noted.
FREQS = (1.5, 3.0, 6.0)
SETUP = {"analyzer_vswr": 1.8}
FORMS = [
    pytest.param(lambda: DUT, id="path"),
    pytest.param(lambda: orlavex.DataFile(DUT.name, DUT.read_bytes()), id="data file"),
]


def planned_levels():
    """The four levels a matched plan predicts at each frequency."""
    return [orlavex.point(mc=False, freq=f, dut_nf=3, **SETUP)["planned_readings_dbm"]
            for f in FREQS]


def band_readings(tmp_path):
    rows = [",".join(repr(x) for x in (f, *(levels[k] for k in LEVELS)))
            for f, levels in zip(FREQS, planned_levels())]
    path = tmp_path / "band.csv"
    path.write_text(HEADER + "\n".join(rows) + "\n")
    return path


@pytest.mark.parametrize("dut", FORMS)
def test_a_band_takes_the_file_as_the_command_line_does(tmp_path, dut):
    readings = band_readings(tmp_path)
    by_cli = cli_json("evaluate", "--readings", readings, "--dut-s2p", DUT,
                      *cli_arguments(**SETUP))
    levels = planned_levels()
    arrays = {k: numpy.array([x[k] for x in levels]) for k in LEVELS}
    typed = orlavex.evaluate(readings=readings, **SETUP)
    for by_module in (orlavex.evaluate(readings=readings, dut_s2p=dut(), **SETUP),
                      orlavex.evaluate(freq=numpy.array(FREQS), dut_s2p=dut(), **arrays,
                                       **SETUP)):
        for key in ("dut_nf_db", "dut_gain_db", "U_db", "k"):
            assert list(by_module[key]) == [p[key] for p in by_cli], key
        assert by_module["notes"] == [p.get("notes", []) for p in by_cli]
        held = ["DUT S-parameters: held" in " ".join(notes) for notes in by_module["notes"]]
        assert held == [False, False, True]
    # The file's S11 and S22 mismatch the analyzer: U grows over the typed matches.
    assert all(by_module["U_db"] > typed["U_db"] + 1e-4), (by_module["U_db"], typed["U_db"])


@pytest.mark.parametrize("dut", FORMS)
def test_four_levels_take_the_file_at_their_frequency(dut):
    levels = {"cal_on": -108.9, "cal_off": -114, "meas_on": -94.7, "meas_off": -102.2}
    for freq in (1.5, 6.0):
        by_cli = cli_json("evaluate", "--dut-s2p", DUT, *cli_arguments(freq=freq, **levels))
        by_module = orlavex.evaluate(dut_s2p=dut(), freq=freq, **levels)
        assert by_module == by_cli
        typed = orlavex.evaluate(freq=freq, **levels)
        assert by_module["inputs"]["dut_in_match"] != typed["inputs"]["dut_in_match"]
