"""The module as a scientific-Python user meets it: real signatures, None
for the default, values as the window holds them with a note, strict=True,
clear errors for text that is not text, data as arrays or networks, Ctrl+C."""
import _thread
import inspect
import pydoc
import re
import threading

import numpy
import pytest

import orlavex


def test_signatures_name_every_input_with_its_default():
    point = inspect.signature(orlavex.point).parameters
    assert point["mc"].default is True and point["dut_nf"].default is None
    assert all(p.kind == p.KEYWORD_ONLY for p in point.values())
    assert {"analyzer", "noise_source", "trials", "seed", "strict"} <= set(point)
    evaluate = inspect.signature(orlavex.evaluate).parameters
    assert list(evaluate)[:4] == ["cal_on", "cal_off", "meas_on", "meas_off"]
    assert "dut_nf" not in evaluate
    sweep = inspect.signature(orlavex.sweep).parameters
    assert sweep["points"].default == 101 and sweep["over"].default is inspect.Parameter.empty
    assert "DUT noise figure, dB [8]" in orlavex.point.__doc__


def test_values_go_in_as_the_field_holds_them():
    p = orlavex.point(dut_nf=0.1 + 0.2, mc=False)
    assert p["inputs"]["dut_nf_db"] == 0.3
    assert p["notes"] == ["dut_nf: 0.30000000000000004 dB is taken as 0.3 dB (as the field holds it)"]
    assert orlavex.point(dut_gain=2 / 3, mc=False)["inputs"]["dut_gain_db"] == 0.67
    bounded = orlavex.point(freq=30, analyzer="Galder-3", mc=False)
    assert bounded["inputs"]["freq_ghz"] == 13
    assert bounded["notes"] == ["freq: 30 GHz is taken as 13 GHz (range 0.01 to 13 GHz)"]
    with pytest.raises(ValueError, match=r"^freq: 30 GHz .*; refused with strict=True$"):
        orlavex.point(freq=30, analyzer="Galder-3", mc=False, strict=True)
    assert "notes" not in orlavex.point(dut_nf=2.5, mc=False)


def test_none_is_the_default_and_minus_zero_is_zero():
    start = orlavex.point(mc=False)
    assert orlavex.point(mc=False, noise_source=None, analyzer=None, dut_nf=None,
                         trials=None, spec_shape=None) == start
    assert orlavex.point(dut_gain=-0.0, mc=False)["inputs"]["dut_gain_db"] == 0


def test_text_that_is_not_text_gives_a_whole_message():
    with pytest.raises(ValueError) as refused:
        orlavex.point(analyzer="Aravel\x00-1", mc=False)
    assert str(refused.value) == ('analyzer: unknown model "Aravel\\x00-1" '
                                  '(see orlavex.analyzers())')
    with pytest.raises(ValueError, match="lone surrogate"):
        orlavex.point(noise_source="NS\udc80", mc=False)
    with pytest.raises(ValueError, match="^enr: \"15 dB\" is not a number$"):
        orlavex.point(enr="15 dB", mc=False)


def test_data_as_paths_arrays_or_networks_give_one_sweep(examples):
    path = examples / "noise_source.enr"
    table = orlavex.read_enr(path)
    dut = orlavex.read_touchstone(examples / "lna_1-18ghz.s2p")
    by_file = orlavex.sweep("freq", 1, 18, 35, enr_table=path, dut_s2p=examples / "lna_1-18ghz.s2p")
    s = numpy.stack([numpy.stack([dut["s11"], dut["s12"]], -1),
                     numpy.stack([dut["s21"], dut["s22"]], -1)], -2)

    class Network:  # what scikit-rf's Network offers: f in Hz, s as N x 2 x 2
        f = dut["freq_ghz"] * 1e9

    Network.s = s
    swept = orlavex.sweep("freq", 1, 18, 35, enr_table=str(path).encode(),
                          dut_s2p=(dut["freq_ghz"], s))
    for column in ("enr_db", "dut_gain_db", "source_vswr", "U_db"):
        numpy.testing.assert_allclose(swept[column], by_file[column], rtol=1e-12)
    # Columns without the reflection data leave the source match as typed.
    swept = orlavex.sweep("freq", 1, 18, 35, dut_s2p=Network(),
                          enr_table=(table["freq_ghz"], table["enr_db"], table["enr_unc_db"]))
    for column in ("enr_db", "enr_unc_db", "dut_gain_db"):
        numpy.testing.assert_allclose(swept[column], by_file[column], rtol=1e-12)


def test_ctrl_c_interrupts_a_long_sweep(examples):
    timer = threading.Timer(0.3, _thread.interrupt_main)
    timer.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            # Minutes of work (the most a sweep may ask for, the DUT's
            # S-parameters making every point its own): only the interrupt
            # ends it within the test's time.
            orlavex.sweep("freq", 1, 18, 100_000, mc=True, trials=20_000,
                          dut_s2p=examples / "lna_1-18ghz.s2p")
    finally:
        timer.cancel()


@pytest.mark.parametrize("keyword", ["freq_conv", "no_second_stage", "ext_preamp", "strict"])
def test_switches_refuse_text_rather_than_take_its_truth(keyword):
    # "False" is a true value in Python: taken for its truth it would tick
    # the box it means to leave.
    for text in ("False", "no", ""):
        with pytest.raises(ValueError, match=f'^{keyword}: "{text}" is not True or False$'):
            orlavex.point(mc=False, **{keyword: text})
    with pytest.raises(ValueError, match=f'^{keyword}: "2" is not True or False$'):
        orlavex.point(mc=False, **{keyword: 2})


def test_switches_take_numpy_bools_and_0_or_1():
    ticked = orlavex.point(mc=False, no_second_stage=True)
    for on, off in [(numpy.bool_(True), numpy.bool_(False)), (1, 0), (numpy.int8(1), 0)]:
        assert orlavex.point(mc=False, no_second_stage=on) == ticked
        assert orlavex.point(mc=False, no_second_stage=off) == orlavex.point(mc=False)


def test_ctrl_c_interrupts_a_long_advice(examples):
    reports = []

    def ctrl_c_while_it_runs(done, total):
        # Ctrl+C pressed once the advice is under way, from another thread
        # as a key press comes.
        if not reports:
            threading.Timer(0.05, _thread.interrupt_main).start()
        reports.append((done, total))

    with pytest.raises(KeyboardInterrupt):
        # Seconds of work: 100 000 frequencies, each of its own S-parameters,
        # for every noise source and preamp choice.
        orlavex.advise(1, 18, 100_000, analyzer="Aravel-3", dut_s2p=examples / "lna_1-18ghz.s2p",
                       progress=ctrl_c_while_it_runs)
    assert reports and all(done < total for done, total in reports)


def test_the_module_holds_only_its_own_names():
    # What help(orlavex) and "from orlavex import *" give: the functions,
    # DataFile and the constants of the stub, not the typing helpers the
    # wrappers' annotations were written with.
    stub = orlavex._stub()
    declared = set(re.findall(r"^(?:def|class) (\w+)", stub, re.M))
    declared |= set(re.findall(r"^(\w+): ", stub, re.M))
    public = {name for name in vars(orlavex) if not name.startswith("_")}
    assert public == declared - {"__version__"}
    assert "Callable = typing.Callable" not in pydoc.render_doc(orlavex, renderer=pydoc.plaintext)


def test_whole_numbers_take_text_as_the_other_inputs_do():
    # help() promises numbers as float, int or str for every input.
    assert orlavex.monte_carlo(trials="2000", seed="7") == orlavex.monte_carlo(trials=2000, seed=7)
    assert orlavex.sweep("freq", 1, 2, 2, mc=True, trials="300")["mc_lo_db"].tolist() == \
        orlavex.sweep("freq", 1, 2, 2, mc=True, trials=300)["mc_lo_db"].tolist()
    for text in ("2e3", "2000.0", "-1", "many"):
        with pytest.raises(ValueError, match="^trials: must be a whole number from 1 to 100000000$"):
            orlavex.monte_carlo(trials=text)
    with pytest.raises(ValueError, match=r"^seed: must be a whole number from 0 to 2\^64 - 1$"):
        orlavex.monte_carlo(seed="-1")
