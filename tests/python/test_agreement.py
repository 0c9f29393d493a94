"""The module gives exactly what orlavex-cli --json prints for the same
inputs, at random set-ups from a fixed seed (user values and catalogue
models), or refuses them with the same message."""
import math
import random

import numpy
import pytest

import orlavex
from conftest import as_keywords, cli_arguments, cli_json, run_cli

TRIALS = 3000


def random_setup(rng, analyzers, noise_sources):
    """Keyword inputs of a random set-up, as floats with few decimals."""
    inputs = {
        "dut_nf": round(rng.uniform(0.3, 20), 2),
        "dut_gain": round(rng.uniform(-5, 45), 2),
        "freq": round(rng.uniform(0.01, 26), 3),
        "toff": round(rng.uniform(-10, 60), 2),
        rng.choice(["dut_in_vswr", "dut_in_rl"]): None,
        rng.choice(["dut_out_vswr", "dut_out_rl"]): None,
    }
    for key in [k for k, v in inputs.items() if v is None]:
        inputs[key] = round(rng.uniform(1, 2.5), 2) if key.endswith("vswr") else round(
            rng.uniform(6, 35), 1)
    if rng.random() < 0.5:
        inputs["noise_source"] = rng.choice(noise_sources)
    else:
        inputs["enr"] = round(rng.uniform(5, 25), 2)
        inputs["enr_unc"] = round(rng.uniform(0.05, 0.3), 2)
        inputs["source_vswr"] = round(rng.uniform(1, 1.5), 2)
    if rng.random() < 0.5:
        inputs["analyzer"] = rng.choice(list(analyzers))
        if analyzers[inputs["analyzer"]] == "options" and rng.random() < 0.6:
            inputs["int_preamp"] = rng.choice([0, 1])
    else:
        inputs[rng.choice(["analyzer_nf", "analyzer_danl"])] = None
        if "analyzer_nf" in inputs:
            inputs["analyzer_nf"] = round(rng.uniform(3, 30), 2)
        else:
            inputs["analyzer_danl"] = round(rng.uniform(-170, -140), 1)
    if rng.random() < 0.3:
        inputs.update(ext_preamp_gain=round(rng.uniform(10, 30), 1),
                      ext_preamp_nf=round(rng.uniform(1, 6), 2))
    if rng.random() < 0.25:
        inputs["no_second_stage"] = True
    if rng.random() < 0.3:
        inputs.update(noise_bw=rng.choice([1e6, 4e6]), tau=rng.choice([0.01, 0.1]))
    if rng.random() < 0.2:
        inputs["spec_shape"] = "rect"
    return inputs


def setups(count, seed):
    rng = random.Random(seed)
    analyzers = {a["name"]: a["preamp"] for a in orlavex.analyzers()}
    noise_sources = [n["name"] for n in orlavex.noise_sources()]
    return [random_setup(rng, analyzers, noise_sources) for _ in range(count)]


@pytest.mark.parametrize("inputs", setups(36, seed=14), ids=lambda i: str(sorted(i)))
def test_point_equals_cli(inputs):
    model = dict(inputs, trials=TRIALS, seed=7)
    status, _, err = run_cli("point", *cli_arguments(**model))
    if status != 0:
        # A set-up the window refuses is refused with the same line.
        with pytest.raises(ValueError) as refused:
            orlavex.point(**model)
        assert "orlavex-cli: " + str(refused.value) + "\n" == as_keywords(err)
        return
    expected = cli_json("point", *cli_arguments(**model))
    if "notes" in expected:
        expected["notes"] = [as_keywords(note) for note in expected["notes"]]
    assert orlavex.point(**model) == expected
    # The parts and the fast path carry the same numbers.
    assert orlavex.budget(**inputs) == expected["gum"]
    assert orlavex.monte_carlo(**model) == expected["monte_carlo"]
    fast = orlavex.point(mc=False, **inputs)
    assert fast["monte_carlo"] is None
    assert {k: fast[k] for k in ("inputs", "classic", "gum")} == {
        k: expected[k] for k in ("inputs", "classic", "gum")}


def test_single_internal_preamp_equals_cli():
    inputs = dict(analyzer="Istrel-1", int_preamp=True, freq=3)
    with_preamp = orlavex.point(mc=False, **inputs)
    assert with_preamp["inputs"]["int_preamp"] is True
    assert with_preamp["classic"] != orlavex.point(mc=False, analyzer="Istrel-1", freq=3)["classic"]
    assert with_preamp == dict(cli_json("point", *cli_arguments(**inputs)), monte_carlo=None)


def test_point_at_start_up_is_the_window_start_up():
    p = orlavex.point(mc=False)
    assert round(p["classic"]["rss_db"], 4) == 0.1134
    assert round(p["classic"]["ycal_db"], 2) == 5.10
    assert [g["lamp"] for g in p["classic"]["guidelines"]] == ["green"] * 3
    assert p == dict(cli_json("point", "--trials", 2), monte_carlo=None)


@pytest.mark.parametrize("seed", range(8))
def test_evaluate_equals_cli(seed):
    rng = random.Random(1400 + seed)
    levels = {"cal_on": round(rng.uniform(-100, -90), 3), "cal_off": round(rng.uniform(-106, -101), 3),
              "meas_on": round(rng.uniform(-80, -60), 3), "meas_off": round(rng.uniform(-90, -81), 3)}
    inputs = {"enr": round(rng.uniform(5, 20), 2), "toff": round(rng.uniform(0, 40), 1)}
    if seed % 3 == 0:
        inputs["noise_source"] = rng.choice([n["name"] for n in orlavex.noise_sources()])
        del inputs["enr"]
    if seed % 4 == 1:
        # Without second-stage correction there are no calibration levels.
        inputs["no_second_stage"] = True
        del levels["cal_on"], levels["cal_off"]
    expected = cli_json("evaluate", *cli_arguments(**levels, **inputs))
    assert orlavex.evaluate(**levels, **inputs) == expected


def test_evaluate_at_start_up_levels_gives_the_dut():
    # The levels as the window shows them (three decimals), typed back in.
    shown = {k: round(v, 3) for k, v in orlavex.point(mc=False)["classic"]["levels_dbm"].items()}
    result = orlavex.evaluate(shown["cal_on"], shown["cal_off"], shown["meas_on"],
                              shown["meas_off"])
    assert round(result["classic"]["nf_dut_db"], 2) == 8.00
    assert round(result["classic"]["gain_db"], 2) == 15.00


def test_catalogues_equal_cli():
    assert orlavex.analyzers() == cli_json("catalogue", "analyzers")
    assert orlavex.noise_sources() == cli_json("catalogue", "noise-sources")


def test_monte_carlo_samples_are_the_trials_behind_the_statistics():
    result = orlavex.monte_carlo(trials=5000, seed=3, samples=True, noise_bw=1e6, tau=0.01)
    samples = result.pop("samples")
    assert result == orlavex.monte_carlo(trials=5000, seed=3, noise_bw=1e6, tau=0.01)
    assert samples.shape == (5000,) and samples.dtype.name == "float64"
    valid = samples[~(samples != samples)]
    assert len(samples) - len(valid) == result["invalid"]
    assert math.isclose(valid.mean(), result["mean_db"], rel_tol=1e-9, abs_tol=1e-12)
    assert math.isclose(valid.std(ddof=1), result["std_db"], rel_tol=1e-9)
    # A set-up the window rejects has no valid trial, as orlavex-cli says.
    rejected = dict(dut_nf=3, dut_gain=-10)
    nothing = orlavex.monte_carlo(trials=100, samples=True, **rejected)
    assert numpy.isnan(nothing.pop("samples")).sum() == 100
    assert nothing == cli_json("point", "--trials", 100, *cli_arguments(**rejected))["monte_carlo"]
    assert nothing["invalid"] == 100
    # Another seed draws other errors.
    other = orlavex.monte_carlo(trials=5000, seed=4, samples=True, noise_bw=1e6, tau=0.01)
    assert (other["samples"] != samples).any()


def test_numbers_in_any_form_enter_the_same_text():
    as_float = orlavex.point(mc=False, dut_nf=7.25, dut_gain=20, toff=1e-5)
    as_text = orlavex.point(mc=False, dut_nf="7.25", dut_gain="20", toff="0.00001")
    assert as_float == as_text
    assert as_float["inputs"]["toff_c"] == 0.00001


def documented_start_up_values():
    """The inputs help(orlavex.point) lists with a start-up value in [ ]."""
    values = {}
    for line in orlavex.point.__doc__.splitlines():
        parts = line.split()
        if len(parts) > 1 and line.startswith("    ") and line.rstrip().endswith("]"):
            value = line.rstrip()[line.rindex("[") + 1:-1]
            try:
                values[parts[0]] = float(value)
            except ValueError:
                continue
    return values


def test_documented_start_up_values_are_the_defaults():
    values = documented_start_up_values()
    assert {"dut_nf", "enr", "toff", "analyzer_nf", "source_vswr"} <= set(values)
    # Typing in a start-up value changes nothing (ext_preamp_* would tick
    # the external preamplifier, freq2 needs a converting DUT).
    plain = {k: v for k, v in values.items() if not k.startswith("ext_preamp") and k != "freq2"}
    assert orlavex.point(mc=False, **plain) == orlavex.point(mc=False)


def test_figures_the_bench_withholds_are_none_as_in_the_cli(examples):
    # A loss after the DUT with the analyzer's preamplifier: the window
    # cannot hold the equivalent set-up, so no classic figure is given.
    inputs = dict(analyzer="Aravel-3", int_preamp=True, loss_out=0.7, freq=10, trials=300)
    expected = cli_json("point", *cli_arguments(**inputs))
    assert expected["classic"]["valid"] is False
    assert orlavex.point(**inputs) == expected
    assert orlavex.point(**inputs)["classic"]["enr_eff_db"] is None
