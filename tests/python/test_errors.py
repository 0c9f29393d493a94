"""Bad input raises ValueError with orlavex-cli's message in keywords; an
unknown keyword TypeError; a missing file FileNotFoundError; files that
cannot be read OSError naming the file, the line and what was expected."""
import pytest

import orlavex
from conftest import cli_arguments, cli_refusal

# Inputs both refuse with the same line.
SAME_MESSAGE = [
    dict(dut_nf="abc"),
    dict(dut_gain="12 dB"),
    dict(freq=True),
    dict(analyzer="Nope-9"),
    dict(noise_source="NS999"),
    dict(dut_in_vswr=1.2, dut_in_rl=20),
    dict(analyzer_nf=10, analyzer_danl=-150),
    dict(freq2=3),
    dict(trials=0),
    dict(trials=100_000_001),
    dict(seed=-1),
    dict(spec_shape="triangle"),
    dict(noise_bw=-1),
    dict(tau="x"),
    dict(int_preamp=True),
    dict(int_preamp=2),
    dict(analyzer="Aravel-1", analyzer_nf=5),
    dict(noise_source="NS346A", enr=10),
    dict(dut_nf=123456789),
]


def cli_form(inputs):
    # The command line writes True as the value of a number option.
    return [a for k, v in inputs.items()
            for a in (["--" + k.replace("_", "-"), str(v)] if v is True and k == "freq"
                      else cli_arguments(**{k: v}))]


@pytest.mark.parametrize("inputs", SAME_MESSAGE, ids=str)
def test_point_refuses_as_the_cli(inputs):
    expected = cli_refusal("point", "--trials", 10, *cli_form(inputs))
    for function in (orlavex.point, orlavex.budget):
        with pytest.raises(ValueError) as refused:
            function(**inputs)
        assert str(refused.value) == expected


def test_unknown_keywords_are_named():
    with pytest.raises(TypeError, match="unexpected keyword argument 'dut_nff'$"):
        orlavex.point(dut_nff=3)
    with pytest.raises(TypeError, match="unexpected keyword argument 'a'$"):
        orlavex.budget(a=1, b=2)
    # Inputs of the other function are unknown too.
    with pytest.raises(TypeError, match="unexpected keyword argument 'dut_nf'$"):
        orlavex.evaluate(-97, -102, -70, -78, dut_nf=3)
    with pytest.raises(TypeError, match="unexpected keyword argument 'meas_on'$"):
        orlavex.point(meas_on=-70)


@pytest.mark.parametrize("levels, inputs", [
    (dict(meas_on=-70, meas_off=-78), {}),
    (dict(cal_on=-97, meas_on=-70, meas_off=-78), {}),
    (dict(cal_on=-97, cal_off=-102, meas_on=-70, meas_off=-78), dict(no_second_stage=True)),
    (dict(cal_on=-97, cal_off=-102, meas_on="-70dB", meas_off=-78), {}),
    (dict(cal_on=-97, cal_off=-102, meas_on=-70), {}),
])
def test_evaluate_refuses_as_the_cli(levels, inputs):
    expected = cli_refusal("evaluate", *cli_arguments(**levels, **inputs))
    with pytest.raises(ValueError) as refused:
        orlavex.evaluate(**levels, **inputs)
    assert str(refused.value) == expected


@pytest.mark.parametrize("inputs", [
    dict(over="volume", start=1, stop=2),
    dict(over="freq", start=1, stop=2, points=1),
    dict(over="freq", start=1, stop=2, match_form="smith"),
    dict(over="freq", start=1, stop=2, fixed_lo=True),
    dict(over="freq", start=0, stop=2, log=True),
], ids=str)
def test_sweep_refuses_as_the_cli(inputs):
    a = dict(inputs)
    arguments = ["sweep", "--over", a.pop("over"), "--from", a.pop("start"), "--to",
                 a.pop("stop")] + cli_arguments(**a)
    expected = cli_refusal(*arguments)
    with pytest.raises(ValueError) as refused:
        orlavex.sweep(**inputs)
    assert str(refused.value) == expected


def test_missing_files_raise_file_not_found_with_the_name(tmp_path):
    missing = tmp_path / "missing.enr"
    for read in (orlavex.read_enr, orlavex.read_touchstone):
        with pytest.raises(OSError, match="missing.enr"):
            read(missing)
    for path in (missing, str(missing), bytes(missing)):
        with pytest.raises(FileNotFoundError) as refused:
            orlavex.sweep("freq", 1, 2, enr_table=path)
        assert refused.value.filename == str(missing)
    with pytest.raises(FileNotFoundError) as refused:
        orlavex.sweep("freq", 1, 2, dut_s2p=tmp_path / "dut.s2p")
    assert refused.value.filename == str(tmp_path / "dut.s2p")


@pytest.mark.parametrize("text, expected", [
    ("[Filetype ENR]\n2 GHz 15\n1 GHz 15\n", r":3: .*"),
    ("1 GHz\n", r":1: .*"),
    ("1 parsec 15\n", r":1: .*"),
])
def test_malformed_enr_tables_raise_os_error_with_the_line(tmp_path, text, expected):
    path = tmp_path / "bad.enr"
    path.write_text(text)
    with pytest.raises(OSError, match="bad.enr" + expected) as refused:
        orlavex.read_enr(path)
    # The sweep stops with the same message, as orlavex-cli does.
    assert str(refused.value) == cli_refusal("sweep", "--over", "freq", "--from", 1, "--to", 2,
                                             "--enr-table", path)


def test_malformed_touchstone_raises_os_error(tmp_path):
    path = tmp_path / "dut.s2p"
    path.write_text("# GHz S MA R 50\n1 0.1 0 10 0 0.01 0\n")
    with pytest.raises(OSError, match=r"dut.s2p:2: "):
        orlavex.read_touchstone(path)
    path.write_bytes(b"\x00\x01\x02binary")
    with pytest.raises(OSError, match=r"dut.s2p"):
        orlavex.read_touchstone(path)


@pytest.mark.parametrize("keyword, data, expected", [
    ("enr_table", orlavex.DataFile("cal.enr", b""), "cal.enr: empty file"),
    ("enr_table", ([], []), "enr_table.enr: no records"),
    ("dut_s2p", orlavex.DataFile("dut.txt", b"# GHz S MA R 50\n"), "dut.txt: expected a .s1p"),
    ("loss_in_s2p", orlavex.DataFile("cable", b"1 0 0 1 0 1 0 0 0\n"), "cable: expected a .s1p"),
    ("meas_enr_table", orlavex.DataFile("meas.enr", b"! nothing\n"), "meas.enr: no records"),
], ids=lambda x: x if isinstance(x, str) else None)
def test_faults_of_data_in_memory_are_not_missing_files(keyword, data, expected):
    # No file was looked for: an OSError naming the data, whether or not a
    # file of its name exists where the script runs.
    with pytest.raises(OSError, match="^" + expected) as refused:
        orlavex.sweep("freq", 1, 2, 2, **{keyword: data})
    assert type(refused.value) is OSError


@pytest.mark.parametrize("keyword, columns", [
    ("enr_table", (["1 GHz", "2 GHz"], [15, 15])),
    ("dut_s2p", (["1 GHz"], [0.1])),
])
def test_columns_that_are_not_numbers_are_named(keyword, columns):
    with pytest.raises(ValueError, match=f"^{keyword}: "):
        orlavex.sweep("freq", 1, 2, 2, **{keyword: columns})


@pytest.mark.parametrize("call, message", [
    (lambda: orlavex.point(mc="no"), 'mc: "no" is not True or False'),
    (lambda: orlavex.monte_carlo(trials=10, samples="yes"), 'samples: "yes" is not True or False'),
    (lambda: orlavex.sweep("freq", 1, 2, log="no"), 'log: "no" is not True or False'),
    (lambda: orlavex.sweep("freq", 1, 2, mc="False"), 'mc: "False" is not True or False'),
    (lambda: orlavex.sweep("freq", "one", 2), 'start: "one" is not a number'),
    (lambda: orlavex.advise(1, [2]), 'stop: "[2]" is not a number'),
    (lambda: orlavex.save_setup("plan.orlavex.json", fixed_if="no"),
     'fixed_if: "no" is not True or False'),
    (lambda: orlavex.save_setup(None), "path: give a str or os.PathLike"),
], ids=range(8))
def test_the_functions_own_arguments_are_named_as_inputs_are(call, message):
    # Not a TypeError about the module's private functions.
    with pytest.raises(ValueError) as refused:
        call()
    assert str(refused.value) == message


def test_start_and_stop_take_numbers_as_inputs_do():
    assert orlavex.sweep("freq", "1", "2.5", 3)["freq_ghz"].tolist() == [1, 1.75, 2.5]
    assert orlavex.point(mc=None)["monte_carlo"] is None


@pytest.mark.parametrize("keyword", ["meas_noise_source"])
def test_a_data_file_given_for_a_name_is_refused(keyword):
    # A name has no slot for a file's bytes: refused, never written past them.
    with pytest.raises(ValueError, match=keyword + ": give a name, not a DataFile"):
        orlavex.point(**{keyword: orlavex.DataFile("NS346B", b"x")}, mc=False)
