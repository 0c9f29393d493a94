"""Set-up files between the command line and Python: a set-up saved by one
and reopened by the other gives the command line's sweep to the byte, also
after its data files are gone; a bad file is refused with the command line's
own line."""
import copy
import inspect
import json
import pickle
import shutil

import pytest

import orlavex
from conftest import run_cli

BENCH = dict(analyzer="Aravel-3", int_preamp=True, noise_source="NS346B", dut_nf=2,
             loss_in_temp=200, loss_out=0.4, loss_out_unc=0.05, toff=21.5)
FILES = ("noise_source.enr", "lna_1-18ghz.s2p", "input_cable.s2p")


def sweep_json(setup):
    status, out, err = run_cli("sweep", "--setup", setup, "--format", "json")
    assert status == 0, err
    return out


@pytest.fixture
def copied(tmp_path, examples):
    """The example data files copied into TMP_PATH, to be deleted later."""
    for name in FILES:
        shutil.copy(examples / name, tmp_path / name)
    return tmp_path


def test_cli_to_python_and_back_after_the_files_are_gone(copied):
    cli_file = copied / "cli.orlavex.json"
    status, direct, err = run_cli(
        "sweep", "--over", "freq", "--from", "1", "--to", "18", "--points", "7",
        "--enr-table", copied / "noise_source.enr", "--dut-s2p", copied / "lna_1-18ghz.s2p",
        "--loss-in-s2p", copied / "input_cable.s2p", "--mc", "--trials", "300",
        "--format", "json", "--save-setup", cli_file,
        *[a for k, v in BENCH.items()
          for a in (["--" + k.replace("_", "-")] + ([] if v is True else [str(v)]))])
    assert status == 0, err
    for name in FILES:
        (copied / name).unlink()

    inputs = orlavex.load_setup(cli_file)
    assert isinstance(inputs["enr_table"], orlavex.DataFile)
    assert inputs["loss_in_s2p"].name == "input_cable.s2p"
    py_file = copied / "python.orlavex.json"
    orlavex.save_setup(py_file, **inputs)
    assert py_file.read_bytes() == cli_file.read_bytes()
    assert sweep_json(py_file) == sweep_json(cli_file) == direct

    # Python's own sweep of the loaded set-up gives the command line's numbers.
    swept = orlavex.sweep(**inputs)
    points = json.loads(direct)["points"]
    assert swept["U_db"].tolist() == [p["U_db"] for p in points]
    assert swept["mc_hi_db"].tolist() == [p["mc_hi_db"] for p in points]


def test_python_to_cli_and_back(copied):
    py_file = copied / "python.orlavex.json"
    orlavex.save_setup(py_file, "dut-gain", 10, 30, points=5, enr_table=copied / FILES[0],
                       meas_enr_table=copied / FILES[0], meas_enr_unc=0.2, freq=6,
                       dut_in_rl=18, spec_shape="rect", noise_bw=4e6, tau=0.01, **BENCH)
    for name in FILES:
        (copied / name).unlink()
    cli_file = copied / "cli.orlavex.json"
    status, _, err = run_cli("sweep", "--setup", py_file, "--format", "csv",
                             "--save-setup", cli_file)
    assert status == 0, err
    assert cli_file.read_bytes() == py_file.read_bytes()
    assert sweep_json(cli_file) == sweep_json(py_file)
    again = copied / "again.orlavex.json"
    orlavex.save_setup(again, **orlavex.load_setup(cli_file))
    assert again.read_bytes() == py_file.read_bytes()
    saved = json.loads(py_file.read_text())
    assert saved["inputs"]["dut_in_rl_db"] == 18 and saved["sweep"]["over"] == "dut-gain"
    assert saved["data_files"]["meas_enr_table"]["name"] == "noise_source.enr"


def test_bad_files_raise_value_error_with_the_cli_message(tmp_path):
    cases = {
        "syntax": '{\n  "format": "orlavex-setup",\n  "version": 1,\n}',
        "unknown": '{"format": "orlavex-setup", "version": 1,\n "inputs": {"dut_nfx": 1}}',
        "type": '{"format": "orlavex-setup", "version": 1,\n "sweep": {"points": "9"}}',
        "range": '{"format": "orlavex-setup", "version": 1,\n "inputs": {"dut_nf_db": 101}}',
        "newer": '{"format": "orlavex-setup",\n "version": 2}',
        "format": '{"format": "something-else", "version": 1}',
        "nul": '{"format": "orlavex-setup",\n "version": \0 1}',
    }
    for name, text in cases.items():
        path = tmp_path / (name + ".orlavex.json")
        path.write_text(text)
        status, out, err = run_cli("point", "--setup", path)
        assert (status, out) == (2, ""), name
        with pytest.raises(ValueError) as refused:
            orlavex.load_setup(path)
        assert "orlavex-cli: " + str(refused.value) + "\n" == err, name
        assert str(refused.value).startswith(str(path) + ":"), name
    assert err.endswith("nul.orlavex.json:2: column 13: a NUL byte (U+0000) is not allowed in a "
                        "set-up file\n")
    with pytest.raises(FileNotFoundError) as missing:
        orlavex.load_setup(tmp_path / "none.orlavex.json")
    assert missing.value.filename == str(tmp_path / "none.orlavex.json")


def test_a_changed_embedded_file_is_refused(tmp_path, examples):
    path = tmp_path / "plan.orlavex.json"
    orlavex.save_setup(path, "freq", 1, 2, enr_table=examples / "noise_source.enr")
    text = json.loads(path.read_text())
    text["data_files"]["enr_table"]["lines"][10] = text["data_files"]["enr_table"]["lines"][10].replace("15.", "16.")
    path.write_text(json.dumps(text, indent=2))
    with pytest.raises(ValueError, match=r":\d+: /data_files/enr_table/sha256: the content does "
                                         r"not match its SHA-256"):
        orlavex.load_setup(path)


def test_data_file_objects_and_signatures(examples):
    content = (examples / "input_cable.s2p").read_bytes()
    cable = orlavex.DataFile("cable.s2p", content)
    assert cable.content == content and len(cable.sha256) == 64
    # A DataFile stands wherever a data file's path does, with the same numbers.
    by_path = orlavex.point(mc=False, loss_in_s2p=examples / "input_cable.s2p", freq=5)
    by_file = orlavex.point(mc=False, loss_in_s2p=cable, freq=5)
    assert by_file["gum"] == by_path["gum"]
    with pytest.raises(OSError, match="cable.s3p"):
        orlavex.point(mc=False, loss_in_s2p=orlavex.DataFile("cable.s3p", content))

    saved = inspect.signature(orlavex.save_setup).parameters
    assert list(saved)[:4] == ["path", "over", "start", "stop"]
    assert saved["dut_nf"].kind is inspect.Parameter.KEYWORD_ONLY
    assert "progress" not in saved
    assert "load_setup" in orlavex.__dict__ and orlavex.load_setup.__doc__
    stub = orlavex._stub()
    assert "def save_setup(path: str | os.PathLike, over: str = 'freq'" in stub
    assert "def load_setup(path: str | os.PathLike) -> dict[str, Any]: ..." in stub
    assert "class DataFile:" in stub


def test_columns_are_saved_as_the_files_they_make(tmp_path, examples):
    # save_setup() takes the data files as sweep() does, columns too.
    table = orlavex.read_enr(examples / "noise_source.enr")
    dut = orlavex.read_touchstone(examples / "lna_1-18ghz.s2p")
    columns = dict(enr_table=(table["freq_ghz"], table["enr_db"], table["enr_unc_db"]),
                   dut_s2p=(dut["freq_ghz"], dut["s11"]), dut_nf=2)
    path = tmp_path / "columns.orlavex.json"
    orlavex.save_setup(path, "freq", 1, 18, 7, **columns)
    loaded = orlavex.load_setup(path)
    assert (loaded["enr_table"].name, loaded["dut_s2p"].name) == ("enr_table.enr", "dut_s2p.s1p")
    swept = orlavex.sweep("freq", 1, 18, 7, **columns)
    assert swept["U_db"].tolist() == orlavex.sweep(**loaded)["U_db"].tolist()
    points = json.loads(sweep_json(path))["points"]
    assert swept["U_db"].tolist() == [p["U_db"] for p in points]


def test_data_files_are_values_that_compare_copy_and_pickle(tmp_path, examples):
    content = (examples / "input_cable.s2p").read_bytes()
    cable = orlavex.DataFile("cable.s2p", content)
    assert cable == orlavex.DataFile("cable.s2p", content)
    assert cable != orlavex.DataFile("other.s2p", content)
    assert cable != orlavex.DataFile("cable.s2p", content + b"\n")
    assert cable != "cable.s2p"
    assert len({cable, orlavex.DataFile("cable.s2p", content)}) == 1

    path = tmp_path / "plan.orlavex.json"
    orlavex.save_setup(path, "freq", 1, 18, 5, enr_table=examples / "noise_source.enr",
                       loss_in_s2p=cable)
    loaded = orlavex.load_setup(path)
    assert loaded == orlavex.load_setup(path)
    # What a worker process receives: the set-up by value, giving the same sweep.
    for copied in (copy.deepcopy(loaded), pickle.loads(pickle.dumps(loaded))):
        assert copied == loaded
        assert copied["loss_in_s2p"].content == content
        assert orlavex.sweep(**copied)["U_db"].tolist() == orlavex.sweep(**loaded)["U_db"].tolist()


def test_a_data_file_needs_a_name(tmp_path, examples):
    # A set-up file refuses an embedded file without one: saving it would
    # write a set-up that cannot be reopened.
    with pytest.raises(ValueError, match=r'^DataFile: give the file\'s name, such as "cal.enr"$'):
        orlavex.DataFile("", (examples / "noise_source.enr").read_bytes())
