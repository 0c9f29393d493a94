#!/usr/bin/env python3
"""An RF engineer's own vectorised numpy script for a frequency sweep.

The baseline orlavex.sweep is measured against: the same 1001-point sweep
(1 to 18 GHz, the noise source's ENR table and the DUT's .s2p, the "User"
analyzer at its start-up values) computed the way an engineer would write it
with numpy arrays: read both files, interpolate, type the values into the
fields as the calculator takes them, the classic figures (Friis cascade,
Y factors, guideline margins, mismatch, root-sum-square bound) and the GUM
budget (every sensitivity by central differences of the simulated
measurement, all points at once).

  /usr/bin/python3 bench/numpy_sweep_baseline.py   # prints the largest differences
"""
import numpy as np

T0 = 290.0
FROM_GHZ, TO_GHZ, POINTS = 1.0, 18.0, 1001
DUT_NF_DB = 2.5
# The "User" analyzer at its start-up values, the off temperature 16.85 C.
ANALYZER_NF_DB, ANALYZER_VSWR = 11.5, 1.4
ANALYZER_NF_UNC_DB, ANALYZER_GAIN_UNC_DB = 0.05, 0.15
TC_K = 16.85 + 273.15
STEP_DB = 1e-4  # central differences


def lin(x_db):
    return 10.0 ** (x_db / 10.0)


def db(x):
    return 10.0 * np.log10(x)


def rounded(x, decimals):
    """X written with DECIMALS places and read back, as a field's text holds it."""
    decimals = np.broadcast_to(decimals, np.shape(x))
    out = np.empty(np.shape(x))
    for d in np.unique(decimals):
        where = decimals == d
        out[where] = np.char.mod(f"%.{int(d)}f", x[where]).astype(float)
    return out


def to_hundredths(x):
    """The guideline margins as the calculator shows them: to 15 significant
    digits, then to 0.01 with halves to even."""
    return np.round(np.char.mod("%.15g", x).astype(float), 2)


def as_typed(x):
    """A value as a six-character field takes it (15.4213 -> 15.421, 1.07039 -> 1.0704)."""
    return rounded(x, 5 - np.floor(np.log10(np.abs(x))).astype(int) - 1)


def interpolate(x, xp, fp):
    """Linear between records, as lower + weight * (upper - lower) with x in Hz."""
    x_hz, xp_hz = x * 1e9, xp * 1e9
    i = np.clip(np.searchsorted(xp_hz, x_hz, side="right") - 1, 0, len(xp) - 2)
    weight = (x_hz - xp_hz[i]) / (xp_hz[i + 1] - xp_hz[i])
    return fp[i] + weight * (fp[i + 1] - fp[i])


def gamma_of_vswr(vswr):
    return (vswr - 1) / (vswr + 1)


def vswr_of_gamma(gamma):
    return (1 + gamma) / (1 - gamma)


def read_enr(path):
    """Frequency (GHz), ENR, its uncertainty and the on and off reflections."""
    rows = []
    with open(path) as file:
        for line in file:
            fields = line.split()
            if fields and fields[0][0] not in "#![":
                rows.append([float(fields[i]) for i in (0, 2, 3, 4, 6)])
    table = np.array(rows)
    return table[:, 0], table[:, 1], table[:, 2], table[:, 3], table[:, 4]


def read_s2p(path):
    """Frequency (GHz) and |S11|, |S21|^2 in dB, |S22| of a '# GHz S DB R 50' file."""
    rows = []
    with open(path) as file:
        for line in file:
            fields = line.split("!")[0].split()
            if not fields or fields[0] == "#":
                continue
            if len(fields) != 9:
                break  # the noise parameters that follow
            rows.append([float(f) for f in fields])
    s = np.array(rows)
    gain_db = 10 * np.log10(np.abs(10 ** (s[:, 3] / 20) * np.exp(1j * np.radians(s[:, 4]))) ** 2)
    return s[:, 0], 10 ** (s[:, 1] / 20), gain_db, 10 ** (s[:, 7] / 20)


def error_db(enr_lin, gain_lin, fa_lin, f_dut_lin, factors):
    """The simulated measurement's error of the DUT noise figure (dB), every point at once.

    FACTORS: the true ENR, calibration and input mismatch, measured-gain and
    analyzer noise-figure error factors (linear), each an array or 1."""
    enr_true, mis_cal, mis_in, measured_gain, fa_meas, fa_cal = factors
    t_a = T0 * (fa_lin - 1)
    t_d = T0 * (f_dut_lin - 1)
    t_hot = T0 * (enr_lin * enr_true + 1)
    p1 = TC_K + t_a
    p2 = TC_K + (t_hot - TC_K) * mis_cal + t_a
    p3 = (gain_lin * (TC_K + t_d) + t_a) * measured_gain
    p4 = (gain_lin * (TC_K + (t_hot - TC_K) * mis_in + t_d) + t_a) * measured_gain
    y_cal, y_meas = p2 / p1, p4 / p3

    def noise_factor(y):  # exact for any cold temperature
        return (enr_lin - y * (TC_K / T0 - 1)) / (y - 1)

    fa_obs = noise_factor(y_cal) * fa_cal
    fsys_obs = noise_factor(y_meas) * fa_meas
    gain_obs = (p4 - p3) / (p2 - p1)
    return db(fsys_obs - (fa_obs - 1) / gain_obs) - DUT_NF_DB


def sweep(enr_path, s2p_path, typed=True):
    """The sweep's figures. TYPED: the values as the calculator's fields hold
    them, as the project's baseline imitates; without it, as an engineer's own
    script computes them, straight from the interpolated numbers."""
    if not typed:
        return _sweep(enr_path, s2p_path, lambda x: x, lambda x, decimals: x, lambda x: x)
    return _sweep(enr_path, s2p_path, as_typed, rounded, to_hundredths)


def _sweep(enr_path, s2p_path, as_typed, rounded, to_hundredths):
    freq = np.linspace(FROM_GHZ, TO_GHZ, POINTS)
    f_enr, enr, enr_unc, gamma_on, gamma_off = read_enr(enr_path)
    f_s, s11, gain_s_db, s22 = read_s2p(s2p_path)

    # The values as typed into the fields.
    enr_db = as_typed(np.interp(freq, f_enr, enr))
    enr_unc_db = as_typed(np.interp(freq, f_enr, enr_unc))
    # The worse of the source's on and off reflections.
    gamma_source = np.maximum(np.interp(freq, f_enr, gamma_on), np.interp(freq, f_enr, gamma_off))
    source_vswr = as_typed(vswr_of_gamma(gamma_source))
    gain_db = rounded(interpolate(freq, f_s, gain_s_db), 2)
    dut_in_vswr = as_typed(vswr_of_gamma(np.interp(freq, f_s, s11)))
    dut_out_vswr = as_typed(vswr_of_gamma(np.interp(freq, f_s, s22)))

    # Classic figures: Friis, Y factors, margins, root-sum-square bound.
    enr_eff_db = db(lin(enr_db) + (T0 - TC_K) / T0)
    f_dut, f_sa, g = lin(DUT_NF_DB), lin(ANALYZER_NF_DB), lin(gain_db)
    f_sys = f_dut + (f_sa - 1) / g
    nf_sys_db = db(f_sys)
    ycal_db = db(lin(enr_eff_db - ANALYZER_NF_DB) + 1)
    ymeas_db = db(lin(enr_eff_db - nf_sys_db) + 1)
    margins = to_hundredths(np.stack([DUT_NF_DB + gain_db - ANALYZER_NF_DB, enr_eff_db - DUT_NF_DB,
                                 enr_eff_db - ANALYZER_NF_DB]))

    g_s, g_a = gamma_of_vswr(source_vswr), gamma_of_vswr(ANALYZER_VSWR)
    g_in, g_out = gamma_of_vswr(dut_in_vswr), gamma_of_vswr(dut_out_vswr)
    m_in, m_cal, m_out = (-20 * np.log10(1 - a * b) for a, b in
                          ((g_s, g_in), (g_s, g_a), (g_a, g_out)))

    def lsq(x):
        return (lin(x) - 1) ** 2

    def combine(sum_of_lsq):
        return db(1 + np.sqrt(sum_of_lsq))

    s_sys, s_sa = f_sys / f_dut, f_sa / (f_dut * g)
    s_g = (f_sa - 1) / (f_dut * g)
    u_sys = combine(lsq(m_in) + lsq(ANALYZER_NF_UNC_DB))
    u_sa = combine(lsq(m_cal) + lsq(ANALYZER_NF_UNC_DB))
    u_g = combine(lsq(m_in) + lsq(m_cal) + lsq(m_out) + lsq(ANALYZER_GAIN_UNC_DB))
    rss_db = combine(lsq(s_sys * u_sys) + lsq(u_sa * s_sa) + lsq(s_g * u_g) +
                     lsq((s_sys - s_sa) * enr_unc_db))

    # GUM: each source's standard uncertainty and its sensitivity by central
    # differences, the points as one array and the sources as another axis.
    to_db = 20 / np.log(10) / np.sqrt(2)
    u = np.stack([enr_unc_db / 2, to_db * g_s * g_in, to_db * g_s * g_a, to_db * g_out * g_a,
                  np.full(POINTS, ANALYZER_NF_UNC_DB / 2), np.full(POINTS, ANALYZER_NF_UNC_DB / 2),
                  np.full(POINTS, ANALYZER_GAIN_UNC_DB / 2)])
    # Which error factor each source moves: true ENR, m_cal, m_in, measured
    # gain (output mismatch and level error alike), analyzer NF meas, cal.
    moves = np.array([[1, 0, 0, 0, 0, 0], [0, 0, 1, 0, 0, 0], [0, 1, 0, 0, 0, 0],
                      [0, 0, 0, 1, 0, 0], [0, 0, 0, 0, 1, 0], [0, 0, 0, 0, 0, 1],
                      [0, 0, 0, 1, 0, 0]])
    enr_lin = lin(enr_db)
    up = error_db(enr_lin, g, f_sa, f_dut, lin(STEP_DB * moves.T[:, :, None]))
    down = error_db(enr_lin, g, f_sa, f_dut, lin(-STEP_DB * moves.T[:, :, None]))
    c = (up - down) / (2 * STEP_DB)
    u_i = np.abs(c) * u
    u_c = np.sqrt(np.sum(u_i ** 2, axis=0))
    return {"freq_ghz": freq, "enr_db": enr_db, "source_vswr": source_vswr, "dut_gain_db": gain_db, "ycal_db": ycal_db,
            "ymeas_db": ymeas_db, "nf_sys_db": nf_sys_db, "margin1_db": margins[0],
            "margin2_db": margins[1], "margin3_db": margins[2], "rss_db": rss_db,
            "u_db": u_c, "U_db": 2 * u_c}


# The columns compared with orlavex.sweep: nearly every point agrees to
# rounding error; at a value half-way between two texts of a field (15.5150
# dB of ENR) the two may round to neighbouring texts, which moves the
# figures that follow by less than BOUND.
COMPARED = ("freq_ghz", "enr_db", "source_vswr", "dut_gain_db", "ycal_db", "ymeas_db",
            "nf_sys_db", "margin1_db", "margin2_db", "margin3_db", "rss_db", "u_db", "U_db")
EXACT = 1e-6  # dB
BOUND = 0.0101  # dB: one step of a two-decimal text
AGREEING_SHARE = 0.98


def disagreements(ours, theirs):
    """Per column: the largest difference and the share of points beyond EXACT."""
    found = {}
    for column in COMPARED:
        difference = np.abs(np.asarray(theirs[column], dtype=float) - ours[column])
        found[column] = (float(np.max(difference)), float(np.mean(difference > EXACT)))
    return found


def check_agreement(ours, theirs):
    for column, (largest, share) in disagreements(ours, theirs).items():
        assert largest <= BOUND and share <= 1 - AGREEING_SHARE, \
            f"{column}: differs by up to {largest:.3g} dB, at {share:.1%} of the points"


# An engineer's own script, which types nothing into fields, agrees with
# orlavex.sweep on the measurement's figures to USER_BOUND (the fields hold
# the ENR to six characters and the gain to 0.01 dB).
USER_COMPARED = ("ycal_db", "ymeas_db", "nf_sys_db", "rss_db", "u_db", "U_db")
USER_BOUND = 1e-3  # dB: the gain held to 0.01 dB moves Ymeas by up to 5e-4 dB


def check_user_agreement(ours, theirs):
    for column in USER_COMPARED:
        largest = float(np.max(np.abs(np.asarray(theirs[column], dtype=float) - ours[column])))
        assert largest <= USER_BOUND, f"{column}: differs by up to {largest:.3g} dB"


def orlavex_sweep(enr_path, s2p_path):
    import orlavex
    return orlavex.sweep("freq", FROM_GHZ, TO_GHZ, POINTS, enr_table=enr_path, dut_s2p=s2p_path,
                         dut_nf=DUT_NF_DB)


if __name__ == "__main__":
    import pathlib
    examples = pathlib.Path(__file__).resolve().parent.parent / "examples"
    paths = (str(examples / "noise_source.enr"), str(examples / "lna_1-18ghz.s2p"))
    ours, theirs = sweep(*paths), orlavex_sweep(*paths)
    for column, (largest, share) in disagreements(ours, theirs).items():
        print(f"{column:<12} largest difference {largest:.3g}, beyond {EXACT:g} at {share:.1%}")
    check_agreement(ours, theirs)
    print("agrees with orlavex.sweep")
