"""Input that tries to break the module: messages stay whole and short,
values the model cannot mean are refused as the command line refuses them,
memory running out is a MemoryError, bytes paths work; long sweeps report
their progress to a callback."""
import math
import os
import stat
import subprocess
import sys

import pytest

import orlavex
from conftest import cli_refusal


def test_messages_keep_what_follows_a_nul_byte():
    with pytest.raises(ValueError) as refused:
        orlavex.point(dut_nf="1\x002")
    assert str(refused.value) == 'dut_nf: "1\\x002" is not a number'


def test_messages_clip_long_input_with_a_mark():
    with pytest.raises(ValueError) as refused:
        orlavex.point(dut_nf="x" * 120_000)
    message = str(refused.value)
    assert len(message) < 100, message
    assert '"' + "x" * 40 + '..."' in message


@pytest.mark.parametrize("inputs", [
    dict(noise_bw=math.inf, tau=1),
    dict(noise_bw=1e6, tau=math.inf),
    dict(noise_bw=1e-300, tau=1e-300),
    dict(noise_bw=1000, tau=1e-4),
], ids=str)
def test_readings_the_model_cannot_mean_are_refused_as_the_cli(inputs):
    arguments = [a for k, v in inputs.items() for a in ("--" + k.replace("_", "-"), repr(v))]
    expected = cli_refusal("point", *arguments)
    with pytest.raises(ValueError) as refused:
        orlavex.point(**inputs)
    assert str(refused.value) == expected


def test_a_sweep_asking_for_too_much_monte_carlo_is_refused_as_the_cli():
    expected = cli_refusal("sweep", "--over", "freq", "--from", 1, "--to", 18, "--points",
                           100000, "--mc", "--trials", 100000000)
    with pytest.raises(ValueError) as refused:
        orlavex.sweep("freq", 1, 18, points=100000, mc=True, trials=100000000)
    assert str(refused.value) == expected
    assert "at most 2e+09 trials" in expected


def test_sweep_values_neither_overflow_nor_vanish():
    wide = orlavex.sweep("freq", 1e308, -1e308, points=3)
    assert list(wide["freq_ghz"]) == [1e308, 0.0, -1e308]
    decades = orlavex.sweep("freq", 1e-300, 1e300, points=5, log=True)
    assert decades["freq_ghz"][0] == 1e-300
    assert decades["freq_ghz"][1] == pytest.approx(1e-150)


def test_bytes_paths_read_as_the_same_file(examples):
    enr = examples / "noise_source.enr"
    by_bytes, by_path = orlavex.read_enr(bytes(enr)), orlavex.read_enr(enr)
    assert by_bytes["name"] == by_path["name"] and by_bytes["header"] == by_path["header"]
    for column in ("freq_ghz", "enr_db", "enr_unc_db"):
        assert list(by_bytes[column]) == list(by_path[column])
    by_bytes = orlavex.sweep("freq", 1, 2, points=3, enr_table=bytes(enr))
    by_path = orlavex.sweep("freq", 1, 2, points=3, enr_table=enr)
    assert list(by_bytes["enr_db"]) == list(by_path["enr_db"])


def test_no_second_stage_predicts_no_calibration_levels():
    levels = orlavex.point(no_second_stage=True, mc=False)["classic"]["levels_dbm"]
    assert levels["cal_on"] is None and levels["cal_off"] is None
    assert levels["meas_on"] is not None


def test_running_out_of_memory_raises_memory_error():
    # Address space for the interpreter as it is plus 300 MB; 1e8 trials
    # need far more.
    script = """
import resource, orlavex
with open("/proc/self/status") as status:
    size = next(int(line.split()[1]) for line in status if line.startswith("VmSize:"))
limit = (size + 300_000) * 1024
resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
try:
    orlavex.monte_carlo(trials=100_000_000)
except MemoryError:
    print("MemoryError")
"""
    done = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True,
                          timeout=120, check=False)
    assert done.returncode == 0, done.stderr
    assert done.stdout == "MemoryError\n"


def test_a_sweep_reports_its_progress():
    calls = []
    result = orlavex.sweep("freq", 1, 18, points=301, mc=True, trials=20000,
                           progress=lambda done, total: calls.append((done, total)))
    assert len(result["freq_ghz"]) == 301
    assert calls[-1] == (301, 301)
    assert all(total == 301 for _, total in calls)
    assert [done for done, _ in calls] == sorted(done for done, _ in calls)


def test_an_error_in_the_progress_callback_stops_the_sweep():
    def fail(done, total):
        raise RuntimeError("stop here")
    with pytest.raises(RuntimeError, match="stop here"):
        orlavex.sweep("freq", 1, 18, points=301, mc=True, trials=20000, progress=fail)


def test_a_monte_carlo_reports_its_progress_and_keeps_its_numbers():
    calls = []
    watched = orlavex.monte_carlo(trials=3_000_000,
                                  progress=lambda done, total: calls.append((done, total)))
    assert calls[-1] == (3_000_000, 3_000_000)
    assert all(total == 3_000_000 for _, total in calls)
    assert [done for done, _ in calls] == sorted(done for done, _ in calls)
    assert watched == orlavex.monte_carlo(trials=3_000_000)


def test_an_error_in_the_progress_callback_stops_the_monte_carlo():
    def fail(done, total):
        raise RuntimeError("stop here")
    with pytest.raises(RuntimeError, match="stop here"):
        orlavex.monte_carlo(trials=100_000_000, progress=fail)


def test_advice_reports_its_progress_and_keeps_its_ranking():
    calls = []
    watched = orlavex.advise(1, 18, 2001, analyzer="Aravel-3",
                             progress=lambda done, total: calls.append((done, total)))
    assert watched == orlavex.advise(1, 18, 2001, analyzer="Aravel-3")
    # Every noise source and "User", each with the preamp off and on.
    total = (len(orlavex.noise_sources()) + 1) * 2 * 2001
    assert calls[-1] == (total, total)
    assert [done for done, _ in calls] == sorted(done for done, _ in calls)


def test_bench_files_by_bytes_path_read_the_same_file(examples):
    for keyword, name in [("loss_in_s2p", "input_cable.s2p"), ("loss_out_s2p", "output_cable.s2p"),
                          ("meas_enr_table", "noise_source.enr")]:
        path = examples / name
        by_path = orlavex.point(mc=False, **{keyword: path})
        assert orlavex.point(mc=False, **{keyword: bytes(path)}) == by_path, keyword
    # Anything else is not taken for the name of a file.
    for data in (([1, 2], [0.1, 0.1]), 3):
        with pytest.raises(ValueError, match="^loss_out_s2p: give a path or a DataFile$"):
            orlavex.point(mc=False, loss_out_s2p=data)


class RaisingPath:
    """An os.PathLike whose __fspath__ fails."""

    def __fspath__(self):
        raise KeyError("no path today")


@pytest.mark.parametrize("call", [
    lambda path: orlavex.sweep("freq", 1, 2, points=3, enr_table=path),
    lambda path: orlavex.sweep("freq", 1, 2, points=3, dut_s2p=path),
    lambda path: orlavex.read_enr(path),
    lambda path: orlavex.point(meas_enr_table=path),
    lambda path: orlavex.load_setup(path),
    lambda path: orlavex.save_setup(path),
])
def test_paths_that_name_no_file_are_refused_by_their_own_error(call):
    # A NUL byte is a ValueError naming the argument; an __fspath__ that
    # raises raises its own error; neither is "Unable to cast".
    with pytest.raises(ValueError, match=r"^\w+: .*null"):
        call("x.enr\x00")
    with pytest.raises(KeyError, match="no path today"):
        call(RaisingPath())


def test_a_missing_bytes_path_is_named_as_the_file_system_names_it(tmp_path):
    missing = bytes(tmp_path) + b"/\xff\xfe.json"
    with pytest.raises(FileNotFoundError) as refused:
        orlavex.load_setup(missing)
    assert refused.value.filename == os.fsdecode(missing)


def test_saving_over_a_fifo_is_refused_and_leaves_it(tmp_path):
    # A FIFO stands for any file that is not a regular one (a device).
    fifo = tmp_path / "pipe.json"
    os.mkfifo(fifo)
    with pytest.raises(OSError, match="it is a FIFO, not a regular file"):
        orlavex.save_setup(fifo)
    assert stat.S_ISFIFO(os.stat(fifo).st_mode)
