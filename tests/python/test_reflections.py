"""The reflections at the DUT input known from the files: the source-match
bias of a sweep with an ENR table carrying the source's on and off
reflections and a DUT .s2p with its noise block."""
import orlavex
from conftest import EXAMPLES


def test_known_reflections_add_the_source_match_bias_column():
    files = dict(enr_table=str(EXAMPLES / "noise_source.enr"),
                 dut_s2p=str(EXAMPLES / "lna_1-18ghz.s2p"), dut_nf=2)
    random = orlavex.sweep("freq", 2, 12, 6, **files)
    known = orlavex.sweep("freq", 2, 12, 6, reflections="known", **files)
    assert "source_match_bias_db" not in random
    bias = list(known["source_match_bias_db"])
    assert all(abs(b) > 1e-4 for b in bias) and max(abs(b) for b in bias) < 1
    # Known in phase, the source-DUT mismatch leaves the budget as a row.
    assert list(known["U_db"]) != list(random["U_db"])
