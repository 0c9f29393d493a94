#!/usr/bin/python3
"""Writes the test files of S-parameters against other reference resistances.

Each file holds a 50-ohm original's network, referred to other resistances
through its impedance matrix (Z = sqrt(R)(I - S)^-1 (I + S) sqrt(R) at the old
references, S' = G^-1 (Z - R')(Z + R')^-1 G with G = sqrt(R') at the new). A
reader that refers them back to 50 ohms must give the original's gain and
matches. Their noise parameters are referred too: Rn in ohms and the
optimum source impedance Z = 50 (1 + G) / (1 - G) stay, so Gamma_opt becomes
(Z - R) / (Z + R) and rn = Rn / R against port 1's new R.

    /usr/bin/python3 tests/data/refer_to_other_ohms.py   (from the top folder)
"""
import cmath
import math
from pathlib import Path

import numpy as np

HERE = Path(__file__).resolve().parent
EXAMPLES = HERE.parent.parent / "examples"


def read_network(path):
    """(option line words, [(freq, S 2x2)], noise lines) of a Touchstone 1.x .s2p."""
    options, records, noise = None, [], []
    for line in path.read_text().splitlines():
        line = line.split("!")[0].strip()
        if not line:
            continue
        if line.startswith("#"):
            options = line[1:].upper().split()
            continue
        numbers = [float(x) for x in line.split()]
        if len(numbers) == 5 and records and numbers[0] <= records[-1][0]:
            noise.append(line)
            continue
        if noise:
            noise.append(line)
            continue
        fmt = "DB" if "DB" in options else "RI" if "RI" in options else "MA"
        values = []
        for a, b in zip(numbers[1::2], numbers[2::2]):
            if fmt == "RI":
                values.append(complex(a, b))
            else:
                mag = 10 ** (a / 20) if fmt == "DB" else a
                values.append(cmath.rect(mag, math.radians(b)))
        s11, s21, s12, s22 = values
        records.append((numbers[0], np.array([[s11, s12], [s21, s22]])))
    return options, records, noise


def refer(s, old_ohms, new_ohms):
    """S against diagonal real references old_ohms, referred to new_ohms."""
    eye = np.eye(2)
    root_old = np.diag(np.sqrt(old_ohms))
    z = root_old @ np.linalg.inv(eye - s) @ (eye + s) @ root_old
    new = np.diag(new_ohms)
    root_new = np.diag(np.sqrt(new_ohms))
    return np.linalg.inv(root_new) @ (z - new) @ np.linalg.inv(z + new) @ root_new


def ri_pairs(s):
    order = [s[0, 0], s[1, 0], s[0, 1], s[1, 1]]
    return " ".join(f"{x.real:.15g} {x.imag:.15g}" for x in order)


def refer_noise(line, new_ohms):
    """A noise line against 50 ohms (MA, rn = Rn / 50), against new_ohms."""
    freq, nfmin, mag, deg, rn = (float(x) for x in line.split())
    gamma = cmath.rect(mag, math.radians(deg))
    z = 50 * (1 + gamma) / (1 - gamma)
    new = (z - new_ohms) / (z + new_ohms)
    return (f"{freq:g} {nfmin:g} {abs(new):.15g} {math.degrees(cmath.phase(new)):.15g} "
            f"{rn * 50 / new_ohms:.15g}")


def write_1x_at_75_ohms():
    _, records, noise = read_network(HERE / "dut_ma.s2p")
    lines = [
        "! dut_ma.s2p referred to 75 ohms by refer_to_other_ohms.py (numpy).",
        "# GHz S RI R 75",
    ]
    for freq, s in records:
        lines.append(f"{freq:g} " + ri_pairs(refer(s, [50, 50], [75, 75])))
    lines.append("! noise parameters against 75 ohms: freq NFmin(dB) |Gopt| ang(Gopt) Rn/75")
    lines += [refer_noise(line, 75) for line in noise]
    (HERE / "dut_ri_75ohm.s2p").write_text("\n".join(lines) + "\n")


def db_angle(x):
    return f"{20 * math.log10(abs(x)):.15g} {math.degrees(cmath.phase(x)):.15g}"


def write_2_0_at_75_and_25_ohms():
    _, records, noise = read_network(EXAMPLES / "lna_1-18ghz.s2p")
    lines = [
        "! examples/lna_1-18ghz.s2p referred to 75 ohms (port 1) and 25 ohms",
        "! (port 2) by refer_to_other_ohms.py (numpy), written as Touchstone 2.0:",
        "! 12_21 order, each record over two lines, R given without a space.",
        "[Version] 2.0",
        "# GHz S DB R50",
        "[Number of Ports] 2",
        "[Two-Port Data Order] 12_21",
        f"[Number of Frequencies] {len(records)}",
        f"[Number of Noise Frequencies] {len(noise)}",
        "[Reference] 75",
        "25",
        "[Begin Information]",
        "this block is skipped: 1 2 3",
        "[End Information]",
        "[Network Data]",
    ]
    for freq, s in records:
        t = refer(s, [50, 50], [75, 25])
        lines.append(f"{freq:g} {db_angle(t[0, 0])} {db_angle(t[0, 1])}  ! S11 S12")
        lines.append(f"    {db_angle(t[1, 0])} {db_angle(t[1, 1])}")
    lines.append("[Noise Data]")
    lines += [refer_noise(line, 75) for line in noise]
    lines.append("[End]")
    (HERE / "lna_75_25ohm.s2p").write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    write_1x_at_75_ohms()
    write_2_0_at_75_and_25_ohms()
