"""A band of readings evaluated from a readings file: the readings a plan
predicts give the DUT back at every frequency, repeated readings carry
their own scatter (Type A), and a bad file is refused before anything is
written."""
import csv
import io
import math
import random

import pytest

from conftest import EXAMPLES, cli_arguments, cli_json, run_cli

LEVELS = ("cal_off", "cal_on", "meas_off", "meas_on")
HEADER = "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n"
DUT = {"dut_nf": 2.5, "dut_gain": 18}
JITTER = {"noise_bw": 4e6, "tau": 0.01}

SETUPS = [
    {"loss_in": 3, "loss_in_temp": 77},
    {"loss_in": 0.8, "loss_in_temp": 350, "loss_out": 2, "loss_out_temp": 77},
    {"meas_enr": 6, "loss_out": 1},
    {"meas_enr_table": EXAMPLES / "noise_source.enr", "loss_in": 1.2, "loss_in_temp": 350},
    {"freq_conv": True, "freq2": 1.5, "loss_out": 0.5, "loss_out_temp": 77},
]


def planned(setup, freq):
    return cli_json("point", "--no-mc", *cli_arguments(**DUT, **setup, **JITTER, freq=freq))


def write_readings(path, rows):
    path.write_text(HEADER + "".join(",".join(repr(x) for x in row) + "\n" for row in rows))
    return path


@pytest.mark.parametrize("setup", SETUPS)
def test_a_band_of_planned_readings_evaluates_back_to_the_dut(tmp_path, setup):
    freqs = [1.2, 2.5, 4.0, 7.5]
    plans = [planned(setup, f) for f in freqs]
    rows = [[f, *(p["planned_readings_dbm"][k] for k in LEVELS)] for f, p in zip(freqs, plans)]
    readings = write_readings(tmp_path / "band.csv", rows)
    points = cli_json("evaluate", "--readings", readings, *cli_arguments(**setup, **JITTER))
    assert [p["freq_ghz"] for p in points] == freqs
    for plan, point in zip(plans, points):
        assert point["dut_nf_db"] == pytest.approx(DUT["dut_nf"], abs=1e-9)
        assert point["dut_gain_db"] == pytest.approx(DUT["dut_gain"], abs=1e-9)
        # Single readings: the plan's budget, the planned jitter standing in.
        assert point["U_db"] == pytest.approx(plan["gum"]["U_db"], rel=1e-6)
        assert point["k"] == 2 and point["nu_eff"] is None
        assert any("planned jitter" in note for note in point["notes"])


def test_python_evaluates_a_readings_file_as_the_command_line_does(tmp_path):
    import orlavex
    setup = SETUPS[1]
    rng = random.Random(7)
    rows = [row for f in (1.5, 3.0) for row in scattered_rows(planned(setup, f), f, 4, 0.01, rng)]
    readings = write_readings(tmp_path / "repeated.csv", rows)
    by_cli = cli_json("evaluate", "--readings", readings, *cli_arguments(**setup, **JITTER))
    by_python = orlavex.evaluate(readings=readings, **setup, **JITTER)
    for key in ("freq_ghz", "readings", "dut_nf_db", "dut_gain_db", "U_db", "k", "nu_eff"):
        assert list(by_python[key]) == [p[key] for p in by_cli], key
    assert by_python["notes"] == [p["notes"] for p in by_cli]
    # The figures come from the unrounded mean levels: no note says otherwise.
    assert not any(note.startswith(("meas_on:", "cal_on:")) for notes in by_python["notes"]
                   for note in notes)
    with pytest.raises(ValueError, match="do not give meas_on as well"):
        orlavex.evaluate(readings=readings, meas_on=-90, **setup)


def scattered_rows(plan, freq, n, scatter, rng):
    """N readings at FREQ around the planned levels, each linear power
    scattered by a factor exp(N(0, SCATTER))."""
    levels = [plan["planned_readings_dbm"][k] for k in LEVELS]
    return [[freq, *(x + 10 / math.log(10) * rng.gauss(0, scatter) for x in levels)]
            for _ in range(n)]


def test_repeated_readings_carry_their_own_scatter(tmp_path):
    rng = random.Random(7)
    scatter, n = 0.1, 10
    freqs = [1.0, 2.0, 3.0, 4.0, 5.0]
    rows = []
    for f in freqs:
        rows += scattered_rows(planned({}, f), f, n, scatter, rng)
    points = cli_json("evaluate", "--readings", write_readings(tmp_path / "r.csv", rows),
                      *cli_arguments(**JITTER))
    truth = scatter / math.sqrt(n)
    type_a = []
    for point in points:
        assert point["readings"] == n
        lines = {line["source"]: line for line in point["gum"]["budget"]}
        jitter = [lines["jitter_" + k] for k in LEVELS]
        type_a += [line["u"] / truth for line in jitter]
        assert 5 <= point["nu_eff"] <= 50
        # Welch-Satterthwaite over the rows as given, the Type B rows infinite.
        by_dof = sum(line["u_i_db"] ** 4 / (n - 1) for line in jitter)
        assert point["nu_eff"] == pytest.approx(point["u_db"] ** 4 / by_dof, rel=1e-9)
        assert point["U_db"] == pytest.approx(point["k"] * point["u_db"], rel=1e-12)
        assert 2.0 < point["k"] < 2.6
    # Each row is one draw of a scatter from ten readings; together they
    # find the truth closely, and none strays far from it.
    assert sum(type_a) / len(type_a) == pytest.approx(1, abs=0.1)
    assert all(0.25 < ratio < 2 for ratio in type_a), " ".join(f"{r:.2f}" for r in type_a)


def test_repeated_readings_are_averaged_as_powers(tmp_path):
    """Two readings of the source-on level d dB either side of the plan's
    evaluate as the one reading of their mean linear power, not of their
    mean in dB (which is the plan's)."""
    rows, means = [], []
    for f, d in ((1.0, 0.5), (2.0, 2.0)):
        levels = [planned({}, f)["planned_readings_dbm"][k] for k in LEVELS]
        rows += [[f, *levels[:3], levels[3] + d], [f, *levels[:3], levels[3] - d]]
        power = (10 ** (d / 10) + 10 ** (-d / 10)) / 2
        means.append([f, *levels[:3], levels[3] + 10 * math.log10(power)])
    repeated = cli_json("evaluate", "--readings", write_readings(tmp_path / "two.csv", rows))
    single = cli_json("evaluate", "--readings", write_readings(tmp_path / "mean.csv", means))
    for r, s in zip(repeated, single, strict=True):
        assert r["readings"] == 2 and s["readings"] == 1
        assert r["dut_nf_db"] == pytest.approx(s["dut_nf_db"], abs=1e-9)
        assert r["dut_gain_db"] == pytest.approx(s["dut_gain_db"], abs=1e-9)
    assert abs(repeated[1]["dut_nf_db"] - DUT["dut_nf"]) > 0.05


def test_scatter_widens_the_uncertainty_it_replaces(tmp_path):
    """With no planned jitter, readings that scatter more give a larger U."""
    plan = planned({}, 2.0)
    results = []
    for scatter in (0.005, 0.05):
        rows = scattered_rows(plan, 2.0, 10, scatter, random.Random(3))
        point = cli_json("evaluate", "--readings",
                         write_readings(tmp_path / f"r{scatter}.csv", rows))[0]
        results.append(point)
    assert results[1]["U_db"] > 2 * results[0]["U_db"]
    assert results[1]["nu_eff"] < results[0]["nu_eff"]


def test_csv_and_table_give_the_json_figures(tmp_path):
    rows = [[f, *(planned({}, f)["planned_readings_dbm"][k] for k in LEVELS)] for f in (1.0, 3.0)]
    readings = write_readings(tmp_path / "r.csv", rows)
    points = cli_json("evaluate", "--readings", readings)
    status, out, err = run_cli("evaluate", "--readings", readings, "--format", "csv")
    assert status == 0, err
    table = list(csv.DictReader(io.StringIO(out)))
    assert list(table[0]) == ["freq_ghz", "dut_nf_db", "dut_gain_db", "u_db", "U_db", "k",
                              "nu_eff", "note"]
    for row, point in zip(table, points, strict=True):
        for column in ("freq_ghz", "dut_nf_db", "dut_gain_db", "u_db", "U_db", "k"):
            assert float(row[column]) == point[column], column
        assert row["nu_eff"] == "" and row["note"] == "; ".join(point["notes"])
    status, out, err = run_cli("evaluate", "--readings", readings)
    assert status == 0 and "single readings" in out and f"{points[1]['U_db']:.4f}" in out


BAD = [
    ("unknown unit", "freq_ghz,cal_off_dbuv,cal_on_dbm,meas_off_dbm,meas_on_dbm\n",
     ":1: unknown unit in column 'cal_off_dbuv'"),
    ("level missing", HEADER + "1,-100,-95,,-80\n", ":2: a value is missing"),
    ("mixture", HEADER + "1,-100,-95,-90,-80\n2,-100,-95,-90,-80\n2,-100,-95,-90,-80\n",
     ":3: a mixture of single and repeated readings"),
    ("falling", HEADER + "2,-100,-95,-90,-80\n1,-100,-95,-90,-80\n", ":3: frequencies must rise"),
    ("source on below off", HEADER + "1,-100,-95,-90,-80\n2,-100,-101,-90,-80\n",
     ":3: cal_on_dbm -101 is not above cal_off_dbm -100: a source-on level must be above its "
     "source-off level (a Y factor above 1)"),
]


@pytest.mark.parametrize("why,text,message", BAD, ids=[b[0] for b in BAD])
def test_a_bad_file_is_refused_with_nothing_written(tmp_path, why, text, message):
    readings = tmp_path / "r.csv"
    readings.write_text(text)
    saved = tmp_path / "saved.orlavex.json"
    status, out, err = run_cli("evaluate", "--readings", readings, "--save-setup", saved)
    assert status == 2 and out == "" and not saved.exists()
    assert err.count("\n") == 1 and f"{readings}{message}" in err


SET_UP_REFUSALS = [
    ("freq2 without a converting DUT", "freq_ghz,freq2_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,"
     "meas_on_dbm\n10,1.5,-100,-95,-90,-80\n", [],
     "the readings give freq2_ghz: give --freq-conv"),
    ("freq2 twice", "freq_ghz,freq2_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n"
     "10,1.5,-100,-95,-90,-80\n", ["--freq-conv", "--freq2", "1.5"],
     "--readings gives freq2_ghz: do not give --freq2 as well"),
    ("calibration without second-stage correction", HEADER + "1,-100,-95,-90,-80\n",
     ["--no-second-stage"], "the readings give calibration levels, which --no-second-stage does "
     "not take: leave out their cal_off and cal_on columns"),
    ("no calibration with second-stage correction",
     "freq_ghz,meas_off_dbm,meas_on_dbm\n1,-90,-80\n", [],
     "the readings have no cal_off and cal_on columns: give them, or --no-second-stage"),
]


@pytest.mark.parametrize("why,text,options,message", SET_UP_REFUSALS,
                         ids=[r[0] for r in SET_UP_REFUSALS])
def test_readings_the_set_up_cannot_take_are_refused(tmp_path, why, text, options, message):
    readings = tmp_path / "r.csv"
    readings.write_text(text)
    status, out, err = run_cli("evaluate", "--readings", readings, *options)
    assert (status, out, err) == (2, "", f"orlavex-cli: {message}\n")


def test_readings_without_calibration_evaluate_as_the_levels_do(tmp_path):
    """Without second-stage correction a file of the source-off and -on
    levels gives what evaluate gives for the same levels as options."""
    bench = {"loss_in": 1, "loss_in_temp": 77}
    plan = cli_json("point", "--no-mc", "--no-second-stage", *cli_arguments(**DUT, **bench))
    off, on = (round(plan["planned_readings_dbm"][k], 3) for k in ("meas_off", "meas_on"))
    readings = tmp_path / "r.csv"
    readings.write_text(f"freq_ghz,meas_off_dbm,meas_on_dbm\n1,{off},{on}\n")
    point = cli_json("evaluate", "--readings", readings, "--no-second-stage",
                     *cli_arguments(**bench))[0]
    levels = cli_json("evaluate", "--no-second-stage", "--meas-off", off, "--meas-on", on,
                      *cli_arguments(**bench))
    assert point["dut_nf_db"] == pytest.approx(levels["exact"]["nf_dut_db"], abs=1e-12)
    assert point["U_db"] == pytest.approx(levels["gum"]["U_db"], abs=1e-12)
    assert point["dut_gain_db"] is None


@pytest.mark.parametrize("option", [["--meas-on", "-80"], ["--freq", "2"], ["--cal-off", "-100"]])
def test_levels_from_the_file_and_options_are_refused(tmp_path, option):
    readings = write_readings(tmp_path / "r.csv", [[1.0, -100, -95, -90, -80]])
    status, out, err = run_cli("evaluate", "--readings", readings, *option)
    assert status == 2 and out == ""
    assert err == f"orlavex-cli: --readings gives the frequency and the levels: do not give " \
                  f"{option[0]} as well\n"


def test_frequencies_written_with_spare_digits_are_taken_without_a_note(tmp_path):
    """1.1360000000000001 is 1.136 as a float writes it; 1.23456 has a digit
    the field cannot hold, and the note says how it was taken."""
    rows = [[f, -102.5, -97.4, -92.7, -81.6] for f in (1 + 17 * 8 / 1000, 1.23456)]
    points = cli_json("evaluate", "--readings", write_readings(tmp_path / "r.csv", rows))
    assert rows[0][0] == 1.1360000000000001
    assert not [n for n in points[0]["notes"] if "--freq" in n]
    assert [n for n in points[1]["notes"] if "--freq" in n and "1.23456" in n]


# A calibration in a file of its own.
CAL_HEADER = "freq_ghz,cal_off_dbm,cal_on_dbm\n"


def split_calibration(tmp_path, rows, cal_rows, empty=False):
    """The readings ROWS without their calibration levels (left empty with
    EMPTY, else without the columns), and the calibration file of CAL_ROWS."""
    if empty:
        text = HEADER + "".join(f"{r[0]!r},,,{r[3]!r},{r[4]!r}\n" for r in rows)
    else:
        text = "freq_ghz,meas_off_dbm,meas_on_dbm\n" + "".join(
            f"{r[0]!r},{r[3]!r},{r[4]!r}\n" for r in rows)
    readings = tmp_path / "meas.csv"
    readings.write_text(text)
    cal = tmp_path / "cal.csv"
    cal.write_text(CAL_HEADER + "".join(",".join(repr(x) for x in r) + "\n" for r in cal_rows))
    return readings, cal


@pytest.mark.parametrize("setup", [SETUPS[0], SETUPS[3], SETUPS[4]])
def test_a_calibration_file_evaluates_as_the_readings_own_columns(tmp_path, setup):
    """The planned readings split into a measurement and a calibration file
    give what the one file gives; a converting DUT is calibrated at its
    output frequency, which one calibration record at 1.5 GHz holds."""
    freqs = [1.2, 2.5, 4.0]
    plans = [planned(setup, f) for f in freqs]
    rows = [[f, *(p["planned_readings_dbm"][k] for k in LEVELS)] for f, p in zip(freqs, plans)]
    whole = cli_json("evaluate", "--readings", write_readings(tmp_path / "all.csv", rows),
                     *cli_arguments(**setup, **JITTER))
    cal_rows = [r[:3] for r in rows] if "freq2" not in setup else [[1.5, *rows[0][1:3]]]
    readings, cal = split_calibration(tmp_path, rows, cal_rows, empty="freq2" in setup)
    split = cli_json("evaluate", "--readings", readings, "--calibration", cal,
                     *cli_arguments(**setup, **JITTER))
    for w, s in zip(whole, split, strict=True):
        for key in ("dut_nf_db", "dut_gain_db", "U_db"):
            assert s[key] == pytest.approx(w[key], abs=1e-12), key
        assert s["notes"] == w["notes"]
    import orlavex
    by_python = orlavex.evaluate(readings=readings, calibration=cal, **setup, **JITTER)
    assert list(by_python["dut_nf_db"]) == [p["dut_nf_db"] for p in split]


def test_calibration_is_interpolated_in_db_and_held_outside_with_a_note(tmp_path):
    meas = [-90.0, -80.0]
    cal_rows = [[1.0, -100.0, -95.0], [3.0, -102.0, -94.0]]
    rows = [[f, 0, 0, *meas] for f in (0.5, 1.5, 3.5)]
    readings, cal = split_calibration(tmp_path, rows, cal_rows)
    points = cli_json("evaluate", "--readings", readings, "--calibration", cal)
    # What the levels give with the calibration typed in: a quarter of the
    # way in dB at 1.5 GHz, the end records outside.
    for point, (off, on) in zip(points, [(-100, -95), (-100.5, -94.75), (-102, -94)],
                                strict=True):
        own = [[point["freq_ghz"], off, on, *meas]]
        expected = cli_json("evaluate", "--readings",
                            write_readings(tmp_path / "own.csv", own))[0]
        assert point["dut_nf_db"] == pytest.approx(expected["dut_nf_db"], abs=1e-12)
        assert point["dut_gain_db"] == pytest.approx(expected["dut_gain_db"], abs=1e-12)
    held = [[n for n in p["notes"] if "calibration levels at" in n] for p in points]
    assert held == [["calibration levels at 500 MHz: outside the calibration file, held from "
                     "the nearest record, the first, at 1 GHz (line 2)"], [],
                    ["calibration levels at 3.5 GHz: outside the calibration file, held from "
                     "the nearest record, the last, at 3 GHz (line 3)"]]


def test_a_repeated_calibration_brings_its_scatter(tmp_path):
    """Ten calibration readings per record scattered by 0.05 (ln P) give
    the two calibration jitter rows a Type A line near 0.05 / sqrt(10),
    halfway between records combined from both; single measured readings
    keep their planned jitter (none)."""
    rng = random.Random(11)
    plan = planned({}, 2.0)
    levels = [plan["planned_readings_dbm"][k] for k in LEVELS]
    cal_rows = [[f, *(x + 10 / math.log(10) * rng.gauss(0, 0.05) for x in levels[:2])]
                for f in (1.0, 3.0) for _ in range(10)]
    rows = [[f, 0, 0, *levels[2:]] for f in (1.0, 2.0)]
    readings, cal = split_calibration(tmp_path, rows, cal_rows)
    points = cli_json("evaluate", "--readings", readings, "--calibration", cal)
    truth = 0.05 / math.sqrt(10)
    for point, spread in zip(points, (1, math.sqrt(0.5))):
        rows = {r["source"]: r for r in point["gum"]["budget"]}
        for k in ("cal_off", "cal_on"):
            assert 0.5 < rows["jitter_" + k]["u"] / (spread * truth) < 1.6, k
        for k in ("meas_off", "meas_on"):
            assert rows["jitter_" + k]["u"] == 0
        # Finite degrees of freedom, the Type B rows dominating.
        assert point["nu_eff"] is not None and point["nu_eff"] >= 9 and point["k"] > 1.96
        assert any("calibration file's repeated readings" in n for n in point["notes"])
    # Between the records the degrees of freedom of both count.
    assert points[1]["nu_eff"] > points[0]["nu_eff"]


def test_repeated_readings_with_a_single_calibration_keep_its_planned_jitter(tmp_path):
    rng = random.Random(5)
    plan = planned({}, 2.0)
    rows = [[2.0, 0, 0, *r[3:]] for r in scattered_rows(plan, 2.0, 5, 0.02, rng)]
    levels = [plan["planned_readings_dbm"][k] for k in LEVELS]
    readings, cal = split_calibration(tmp_path, rows, [[2.0, *levels[:2]]])
    point = cli_json("evaluate", "--readings", readings, "--calibration", cal,
                     *cli_arguments(**JITTER))[0]
    rows = {r["source"]: r["u"] for r in point["gum"]["budget"]}
    assert rows["jitter_cal_off"] == rows["jitter_cal_on"] == pytest.approx(0.005)
    assert rows["jitter_meas_off"] != rows["jitter_meas_on"] != pytest.approx(0.005)
    assert point["readings"] == 5 and 4 <= point["nu_eff"] < 1e3
    assert "Type A: the scatter of 5 readings of the measured levels replaces their planned " \
           "jitter; k for 95 % from Student's t at the effective degrees of freedom" \
           in point["notes"]


CAL_REFUSALS = [
    ("both calibrations", HEADER + "1,-100,-95,-90,-80\n", CAL_HEADER + "1,-100,-95\n", [],
     "orlavex-cli: the readings give calibration levels, and --calibration gives them too: "
     "leave their cal_off and cal_on columns out or empty\n"),
    ("without second-stage correction", "freq_ghz,meas_off_dbm,meas_on_dbm\n1,-90,-80\n",
     CAL_HEADER + "1,-100,-95\n", ["--no-second-stage"],
     "orlavex-cli: --calibration is for second-stage correction, which --no-second-stage turns "
     "off\n"),
    ("a measurement column", "freq_ghz,meas_off_dbm,meas_on_dbm\n1,-90,-80\n",
     "freq_ghz,cal_off_dbm,cal_on_dbm,meas_on_dbm\n", [],
     "orlavex-cli: {cal}:1: a calibration file has no column 'meas_on_dbm': expected columns "
     "freq_ghz, cal_off_dbm, cal_on_dbm (levels in _dbm, _mw or _w)\n"),
    ("a level missing", "freq_ghz,meas_off_dbm,meas_on_dbm\n1,-90,-80\n",
     CAL_HEADER + "1,-100,-95\n2,-100\n", [],
     "orlavex-cli: {cal}:3: expected 3 values as the header names, found 2\n"),
]


@pytest.mark.parametrize("why,text,cal_text,options,message", CAL_REFUSALS,
                         ids=[r[0] for r in CAL_REFUSALS])
def test_a_calibration_file_that_cannot_be_used_is_refused(tmp_path, why, text, cal_text,
                                                           options, message):
    readings, cal = tmp_path / "r.csv", tmp_path / "cal.csv"
    readings.write_text(text)
    cal.write_text(cal_text)
    saved = tmp_path / "saved.orlavex.json"
    status, out, err = run_cli("evaluate", "--readings", readings, "--calibration", cal,
                               *options, "--save-setup", saved)
    assert (status, out, err) == (2, "", message.format(cal=cal))
    assert not saved.exists()


def test_calibration_goes_with_readings(tmp_path):
    import orlavex
    cal = tmp_path / "cal.csv"
    cal.write_text(CAL_HEADER + "1,-100,-95\n")
    status, out, err = run_cli("evaluate", "--meas-on", -80, "--meas-off", -90,
                               "--calibration", cal)
    assert (status, out, err) == (2, "", "orlavex-cli: --calibration is for --readings\n")
    with pytest.raises(ValueError, match="calibration is for readings"):
        orlavex.evaluate(meas_on=-80, meas_off=-90, calibration=cal)
    with pytest.raises(OSError, match=r"cal\.csv:2: expected a finite number"):
        readings = write_readings(tmp_path / "r.csv", [[1.0, -100, -95, -90, -80]])
        cal.write_text(CAL_HEADER + "1,x,-95\n")
        orlavex.evaluate(readings=readings, calibration=cal)


def test_levels_whose_source_on_is_not_above_off_are_refused_in_arrays():
    import orlavex
    with pytest.raises(ValueError, match=r"^meas_on -90\.0 dBm is not above meas_off -90\.0 dBm "
                       r"at index 1: a source-on level must be above its source-off level"):
        orlavex.evaluate(freq=[1, 2], cal_off=-100, cal_on=-95, meas_off=[-90, -90],
                         meas_on=[-80, -90])


def test_a_frequency_whose_levels_give_no_result_says_why(tmp_path):
    # The calibration's off level above the measurement's: a DUT that takes
    # noise away, which the levels cannot give a noise figure for.
    readings = tmp_path / "r.csv"
    readings.write_text(HEADER + "1,-90,-85,-95,-80\n2,-100,-95,-90,-80\n")
    status, out, err = run_cli("evaluate", "--readings", readings, "--format", "csv")
    assert status == 0, err
    rows = list(csv.DictReader(io.StringIO(out)))
    assert rows[0]["dut_nf_db"] == "" and rows[1]["dut_nf_db"] != ""
    assert "give no noise figure" in rows[0]["note"]
    assert "the calculator says: Error: Cal OFF >= Meas OFF" in rows[0]["note"]
    assert "give no noise figure" not in rows[1]["note"]
