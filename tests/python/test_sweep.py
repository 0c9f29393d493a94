"""A sweep's arrays are orlavex-cli sweep --format csv's columns, in its
order, one value per row, with the same numbers."""
import csv
import io
import math
import re
import warnings

import numpy
import pytest

import orlavex
from conftest import cli_arguments, run_cli

SWEEPS = [
    dict(over="freq", start=1, stop=18, points=35),
    dict(over="freq", start=0.1, stop=30, points=41, log=True, analyzer="Aravel-3",
         noise_source="NS346B"),
    dict(over="freq", start=1, stop=18, points=18, enr_table="noise_source.enr",
         dut_s2p="lna_1-18ghz.s2p", mc=True, trials=2000, dut_nf=2.5),
    dict(over="dut-gain", start=-10, stop=40, points=26, mc=True, trials=500),
    dict(over="dut_in_match", start=5, stop=30, points=6, match_form="rl"),
    dict(over="toff", start=-20, stop=60, points=9, no_second_stage=True),
]


def cli_csv(inputs, examples):
    a = dict(inputs)
    for name in ("enr_table", "dut_s2p"):
        if name in a:
            a[name] = examples / a[name]
    arguments = ["sweep", "--format", "csv", "--over", a.pop("over").replace("_", "-"),
                 "--from", a.pop("start"), "--to", a.pop("stop")] + cli_arguments(**a)
    status, out, err = run_cli(*arguments)
    assert status == 0, err
    rows = list(csv.reader(io.StringIO(out)))
    return rows[0], rows[1:]


def decimals(text):
    return len(text.split(".")[1]) if "." in text else 0


@pytest.mark.parametrize("inputs", SWEEPS, ids=lambda s: s["over"] + str(s["points"]))
def test_sweep_arrays_are_the_csv_columns(inputs, examples):
    header, rows = cli_csv(inputs, examples)
    a = dict(inputs)
    for name in ("enr_table", "dut_s2p"):
        if name in a:
            a[name] = examples / a[name]
    arrays = orlavex.sweep(**a)
    assert list(arrays) == header
    assert len(set(header)) == len(header)
    assert all(array.shape == (len(rows),) for array in arrays.values())
    assert len(rows) == inputs["points"]
    for column, name in enumerate(header):
        array = arrays[name]
        cells = [row[column] for row in rows]
        if array.dtype.kind == "U":
            assert list(array) == cells, name
            continue
        for value, cell in zip(array, cells):
            if cell == "":
                assert math.isnan(value), name
            else:
                # The CSV writes its decimals; the array keeps every digit.
                step = 10.0 ** -decimals(cell)
                assert abs(value - float(cell)) <= 0.5 * step * (1 + 1e-9) + 1e-9 * abs(value), (
                    name, value, cell)


def test_sweep_with_mc_has_the_band_around_zero():
    arrays = orlavex.sweep("freq", 1, 5, 5, mc=True, trials=4000)
    assert (arrays["mc_lo_db"] < 0).all() and (arrays["mc_hi_db"] > 0).all()
    # The same seed at every point: the same set-up gives the same band.
    assert numpy.ptp(arrays["mc_lo_db"]) < 1e-12
    without = orlavex.sweep("freq", 1, 5, 5)
    assert "mc_lo_db" not in without and "mc_hi_db" not in without


def test_out_of_range_points_are_empty_with_a_note():
    arrays = orlavex.sweep("freq", 1, 20, 20, noise_source="NS346A")
    beyond = arrays["freq_ghz"] > 18
    assert beyond.any()
    assert numpy.isnan(arrays["U_db"][beyond]).all()
    assert numpy.isfinite(arrays["U_db"][~beyond]).all()
    assert all(note for note in arrays["note"][beyond])


@pytest.mark.parametrize("inputs", [
    dict(over="freq", start=1, stop=20, points=20, noise_source="NS346A"),
    dict(over="freq", start=1, stop=18, points=40, enr_table="noise_source.enr",
         dut_s2p="lna_1-18ghz.s2p", dut_nf=2.5),
], ids=["out-of-range", "tables"])
def test_text_columns_are_the_arrays_numpy_makes_of_their_texts(inputs, examples):
    """The widest text sets the width, shorter ones (empty lamps out of
    range) are padded, and nothing else is held."""
    a = dict(inputs)
    for name in ("enr_table", "dut_s2p"):
        if name in a:
            a[name] = examples / a[name]
    arrays = orlavex.sweep(**a)
    texts = [name for name, array in arrays.items() if array.dtype.kind == "U"]
    assert texts == ["lamp1", "lamp2", "lamp3", "note"]
    for name in texts:
        own = numpy.array([str(text) for text in arrays[name]], dtype=str)
        assert arrays[name].dtype == own.dtype, name
        assert arrays[name].tolist() == own.tolist(), name


def test_advise_equals_cli():
    from conftest import cli_json
    expected = cli_json("advise", "--from", 1, "--to", 6, "--points", 11, "--analyzer", "Aravel-3")
    assert orlavex.advise(1, 6, 11, analyzer="Aravel-3") == expected


def test_warnings_name_the_line_that_called():
    # The warnings filter and its message point at the caller's own line,
    # not at the module's wrapper.
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        orlavex.sweep("freq", 1, 2, 2, dut_nf=0.1 + 0.2)
        orlavex.advise(1, 2, 2, dut_nf=0.1 + 0.2)
    assert [(w.category, w.filename) for w in caught] == [(UserWarning, __file__)] * 2
    assert str(caught[0].message).startswith("dut_nf: 0.30000000000000004 dB is taken as 0.3 dB")


def test_warnings_turned_into_errors_raise_them():
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        with pytest.raises(UserWarning, match="^dut_nf: 0.30000000000000004 dB is taken"):
            orlavex.sweep("freq", 1, 2, 2, dut_nf=0.1 + 0.2)
        with pytest.raises(UserWarning, match="^dut_nf: 0.30000000000000004 dB is taken"):
            orlavex.advise(1, 2, 2, dut_nf=0.1 + 0.2)


def test_the_doc_names_every_column(examples):
    arrays = orlavex.sweep("dut-gain", 10, 30, 3, mc=True, trials=100,
                           loss_in_s2p=examples / "input_cable.s2p", loss_out=0.5)
    assert "dut_gain_db" in arrays and "loss_out_db" in arrays
    # margin1_db..margin3_db and lamp1..lamp3 are named by their first.
    named = {re.sub(r"^(margin|lamp)[23]", r"\g<1>1", name) for name in arrays}
    assert sorted(name for name in named if name not in orlavex.sweep.__doc__) == []
