"""The readers give the example files' records as numpy arrays."""
import numpy
import pytest

import orlavex


def test_enr_table_columns(examples):
    table = orlavex.read_enr(examples / "noise_source.enr")
    assert table["header"]["Model"] == "NS346B"
    freq = table["freq_ghz"]
    assert (numpy.diff(freq) > 0).all()
    at_1ghz = numpy.flatnonzero(freq == 1.0)[0]
    assert table["enr_db"][at_1ghz] == 15.50
    assert table["enr_unc_db"][at_1ghz] == 0.15
    reflection = table["reflection"]
    assert (reflection["on_mag"][at_1ghz], reflection["on_deg"][at_1ghz]) == (0.034, -15.0)
    assert (reflection["off_mag"][at_1ghz], reflection["off_deg"][at_1ghz]) == (0.026, -101.0)
    assert all(len(reflection[k]) == len(freq) for k in reflection)


def test_enr_table_without_optional_columns(tmp_path):
    path = tmp_path / "plain.enr"
    path.write_text("1 GHz 15.1\n2 GHz 15.3\n")
    table = orlavex.read_enr(path)
    assert table["enr_unc_db"] is None and table["reflection"] is None
    assert table["freq_ghz"].tolist() == [1.0, 2.0]


def test_touchstone_in_db_format(examples):
    dut = orlavex.read_touchstone(examples / "lna_1-18ghz.s2p")
    assert (dut["ports"], dut["format"], dut["reference_ohms"]) == (2, "DB", 50.0)
    assert dut["freq_ghz"][0] == 1.0 and dut["s21"].dtype.kind == "c"
    assert abs(20 * numpy.log10(abs(dut["s21"][0])) - 31.61) < 1e-9
    assert abs(numpy.degrees(numpy.angle(dut["s21"][0])) - 23.0) < 1e-9
    # The sweep takes the DUT's gain from the same file.
    gain = orlavex.sweep("freq", 1, 2, 2, dut_s2p=examples / "lna_1-18ghz.s2p")["dut_gain_db"]
    assert abs(gain[0] - 31.61) < 1e-9


def test_catalogue_docs_name_every_key_their_entries_have():
    for listing in (orlavex.analyzers, orlavex.noise_sources):
        entries = listing()
        keys = {key for entry in entries for key in entry}
        keys |= {key for entry in entries for value in entry.values() if isinstance(value, list)
                 for band in value if isinstance(band, dict) for key in band}
        assert keys, listing.__name__
        assert {key for key in keys if key not in listing.__doc__} == set(), listing.__name__


def plain(value):
    """VALUE with its numpy arrays as lists, to compare whole."""
    if isinstance(value, dict):
        return {key: plain(v) for key, v in value.items()}
    return value.tolist() if isinstance(value, numpy.ndarray) else value


def test_readers_take_a_data_file_as_a_path(examples):
    # What load_setup() gives for an embedded file reads as the file did.
    for read, name in [(orlavex.read_enr, "noise_source.enr"),
                       (orlavex.read_touchstone, "lna_1-18ghz.s2p")]:
        by_path = read(examples / name)
        by_data = read(orlavex.DataFile(name, (examples / name).read_bytes()))
        assert by_data.keys() == by_path.keys()
        assert (by_path["name"], by_data["name"]) == (str(examples / name), name)
        del by_path["name"], by_data["name"]
        assert plain(by_data) == plain(by_path)
    with pytest.raises(OSError, match="^lna.s3p: expected a .s1p or .s2p file"):
        orlavex.read_touchstone(orlavex.DataFile("lna.s3p", b"# GHz S MA R 50\n"))
    with pytest.raises(TypeError, match=r"^read_enr\(\): give a path or a DataFile, not int$"):
        orlavex.read_enr(3)
