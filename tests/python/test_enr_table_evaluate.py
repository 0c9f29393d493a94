"""Evaluation with the noise source's ENR table: orlavex.evaluate(enr_table=...)
takes the ENR and its uncertainty at each frequency as `orlavex-cli evaluate
--enr-table` does, whether the table is a path or columns, and an ENR typed
beside the table is refused in the same words."""
import pathlib

import pytest

from conftest import cli_arguments, cli_json, cli_refusal

TABLE = pathlib.Path(__file__).resolve().parents[1] / "data" / "source.enr"
HEADER = "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n"
LEVELS = ("cal_off", "cal_on", "meas_off", "meas_on")
# 20 GHz lies above the table's last record, 18 GHz: held there, with a note.
FREQS = (1.5, 3.0, 20.0)

SETUPS = [
    {},
    {"loss_in": 2, "loss_in_temp": 77},
    {"freq_conv": True, "freq2": 0.5},
]


def band_readings(tmp_path, setup):
    """Levels a typed 15 dB source would give; the table's ENR differs."""
    import orlavex
    rows = []
    for f in FREQS:
        levels = orlavex.point(mc=False, dut_nf=3, dut_gain=20, freq=f,
                               **setup)["planned_readings_dbm"]
        rows.append(",".join(repr(x) for x in (f, *(levels[k] for k in LEVELS))))
    path = tmp_path / "band.csv"
    path.write_text(HEADER + "\n".join(rows) + "\n")
    return path


@pytest.mark.parametrize("setup", SETUPS)
def test_the_module_takes_the_table_as_the_command_line_does(tmp_path, setup):
    import orlavex
    readings = band_readings(tmp_path, setup)
    by_cli = cli_json("evaluate", "--readings", readings, "--enr-table", TABLE,
                      *cli_arguments(**setup))
    read = orlavex.read_enr(TABLE)
    columns = (read["freq_ghz"], read["enr_db"], read["enr_unc_db"])
    typed = orlavex.evaluate(readings=readings, **setup)
    # Columns carry no reflection data: the source's match, and with it U,
    # is then the one typed.
    for table, keys in ((TABLE, ("dut_nf_db", "dut_gain_db", "U_db")),
                        (columns, ("dut_nf_db", "dut_gain_db"))):
        by_module = orlavex.evaluate(readings=readings, enr_table=table, **setup)
        for key in keys:
            assert list(by_module[key]) == pytest.approx([p[key] for p in by_cli], abs=1e-12)
        held = [any("ENR table: held from the nearest record" in n for n in notes)
                for notes in by_module["notes"]]
        assert held == [False, False, True]
    # The levels were made with 15 dB: the table's ENR moves every result.
    moved = abs(by_module["dut_nf_db"] - typed["dut_nf_db"])
    assert all(moved > 0.01), moved


def test_four_levels_take_the_table_at_their_frequency():
    import orlavex
    levels = {"cal_on": -108.9, "cal_off": -114, "meas_on": -94.7, "meas_off": -102.2}
    for freq in (1.5, 20):
        by_cli = cli_json("evaluate", "--enr-table", TABLE, *cli_arguments(freq=freq, **levels))
        by_module = orlavex.evaluate(enr_table=TABLE, freq=freq, **levels)
        assert by_module["exact"] == pytest.approx(by_cli["exact"], abs=1e-12)
        assert by_module["inputs"]["enr_db"] == by_cli["inputs"]["enr_db"] != 15
        assert by_module.get("notes") == by_cli.get("notes")


@pytest.mark.parametrize("typed", [{"enr": 15}, {"enr_unc": 0.2}])
def test_an_enr_typed_beside_the_table_is_refused_as_on_the_command_line(typed):
    import orlavex
    levels = {"cal_on": -108.9, "cal_off": -114, "meas_on": -94.7, "meas_off": -102.2}
    message = cli_refusal("evaluate", "--enr-table", TABLE, *cli_arguments(**typed, **levels))
    with pytest.raises(ValueError) as refused:
        orlavex.evaluate(enr_table=TABLE, **typed, **levels)
    assert str(refused.value) == message
