"""The bench's numbers within what a bench can be, from Python as from the
command line: a ValueError naming the keyword and the range (below it, the
bottom of the range), and the ends of each range taken."""
import pytest

import orlavex
from conftest import cli_refusal

RANGES = [
    ("loss_in", 0, 100, "0 to 100 dB"),
    ("loss_out", 0, 100, "0 to 100 dB"),
    ("loss_in_temp", 0, 1000, "0 to 1000 K"),
    ("loss_out_temp", 0, 1000, "0 to 1000 K"),
    ("loss_in_unc", 0, 10, "0 to 10 dB"),
    ("loss_out_unc", 0, 10, "0 to 10 dB"),
    ("meas_enr_unc", 0, 10, "0 to 10 dB"),
    ("meas_enr", 0, 30, "0 to 30 dB"),
]


def with_its_source(keyword, value):
    # A measurement source's uncertainty needs the source.
    inputs = {keyword: value}
    if keyword == "meas_enr_unc":
        inputs["meas_enr"] = 10
    return inputs


@pytest.mark.parametrize("keyword, lowest, highest, words", RANGES)
def test_above_its_range_a_bench_value_is_refused_with_the_range(keyword, lowest, highest,
                                                                 words):
    for value in (highest * 1.001, highest * 1e4):
        inputs = with_its_source(keyword, value)
        with pytest.raises(ValueError) as refused:
            orlavex.point(mc=False, **inputs)
        assert keyword in str(refused.value) and words in str(refused.value)
        arguments = []
        for key, given in inputs.items():
            arguments += ["--" + key.replace("_", "-"), repr(given)]
        assert str(refused.value) == cli_refusal("point", *arguments)


@pytest.mark.parametrize("keyword, lowest, highest, words", RANGES)
def test_the_ends_of_the_range_are_taken(keyword, lowest, highest, words):
    for value in (lowest, highest):
        assert orlavex.point(mc=False, **with_its_source(keyword, value))["gum"] is not None


@pytest.mark.parametrize("keyword, lowest, highest, words", RANGES)
def test_below_its_range_the_bottom_is_named(keyword, lowest, highest, words):
    with pytest.raises(ValueError) as refused:
        orlavex.point(mc=False, **with_its_source(keyword, lowest - 0.001))
    bottom = "0 " + words.split()[-1] + " or more"
    assert bottom in str(refused.value) or words in str(refused.value)
