#!/usr/bin/env python3
"""Plans a noise-figure measurement across a band: an LNA (examples/
lna_1-18ghz.s2p, 2.5 dB noise figure) measured from 1 to 18 GHz with a
catalogue analyzer and its preamplifier and an NS346B noise source whose
calibration table is examples/noise_source.enr. Draws the expanded
uncertainty (GUM, k = 2), the window's RSS figure and the Monte Carlo's 95 %
band of the error against frequency, with the guideline lamps below, into a
PNG.

  PYTHONPATH=build/src/python python3 examples/plan_band.py [plan_band.png]
"""
import pathlib
import sys

import matplotlib

matplotlib.use("Agg")  # files only, no display needed
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import orlavex  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
LAMP_COLOURS = {"green": "#2ca02c", "yellow": "#e6b800", "red": "#d62728", "grey": "#999999"}


def main(output):
    setup = dict(analyzer="Aravel-3", int_preamp=True, noise_source="NS346B", dut_nf=2.5)
    s = orlavex.sweep("freq", 1, 18, 171, enr_table=HERE / "noise_source.enr",
                      dut_s2p=HERE / "lna_1-18ghz.s2p", mc=True, trials=20000, **setup)
    f = s["freq_ghz"]

    fig, (ax, lamps) = plt.subplots(2, 1, figsize=(9, 6), sharex=True,
                                    gridspec_kw={"height_ratios": [5, 1]})
    ax.fill_between(f, s["mc_lo_db"], s["mc_hi_db"], color="#1f77b4", alpha=0.25,
                    label="Monte Carlo 95 % interval of the error")
    ax.plot(f, s["U_db"], color="#1f77b4", lw=2, label="GUM expanded uncertainty U (k = 2)")
    ax.plot(f, -s["U_db"], color="#1f77b4", lw=2)
    ax.plot(f, s["rss_db"], color="#ff7f0e", lw=1.2, ls="--", label="classic RSS (window)")
    ax.plot(f, -s["rss_db"], color="#ff7f0e", lw=1.2, ls="--")
    ax.axhline(0, color="black", lw=0.6)
    ax.set_ylabel("DUT noise-figure error (dB)")
    ax.set_title(f"LNA {setup['dut_nf']} dB NF: {setup['analyzer']} with its preamplifier, "
                 f"{setup['noise_source']} with its ENR table")
    ax.grid(True, alpha=0.3)
    ax.legend(loc="upper left", fontsize=9)

    for row in range(3):
        colours = [LAMP_COLOURS.get(lamp, "white") for lamp in s[f"lamp{row + 1}"]]
        lamps.scatter(f, np.full_like(f, 3 - row), c=colours, s=12, marker="s")
    lamps.set_yticks([3, 2, 1], ["(NF+G)dut - NFsa", "ENR - NFdut", "ENR - NFsa"], fontsize=8)
    lamps.set_ylim(0.5, 3.5)
    lamps.set_xlabel("Frequency (GHz)")
    fig.tight_layout()
    fig.savefig(output, dpi=110)

    worst = np.nanargmax(s["U_db"])
    print(f"{output}: worst U {s['U_db'][worst]:.3f} dB at {f[worst]:.2f} GHz "
          f"({s['note'][worst]})")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "plan_band.png")
