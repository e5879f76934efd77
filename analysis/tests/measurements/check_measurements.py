#!/usr/bin/python3
"""Holds the measurements of the host's table against numpy and scipy on the same beats.

The input file (written by the measurement tests) holds the analysis settings, the admitted
beats (time, RR, change of RR; seconds) and the values the table showed, before formatting:
    settings THRESHOLD SEGMENT REGION_START REGION_END FMAX N WINDOW VLF_LO VLF_HI LF_LO LF_HI HF_LO HF_HI
    beat T RR DELTA
    value NAME NUMBER          (no number: the table showed no value)
The time-domain statistics come from numpy, the band powers from scipy.signal.lombscargle over
the series detrended with numpy.polyfit and windowed; each is scaled as the table shows it (ms,
ms², BPM, %) and must agree to 1e-9 relative.

Usage: check_measurements.py <file>
"""
import os
import sys

import numpy as np
from scipy.signal import lombscargle

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "reference"))
from check_engine_reference import band_power, segment_means, window  # noqa: E402

TOLERANCE = 1e-9
TWO_PI = 6.283185307179586


def read(path):
    settings, beats, values = None, [], {}
    with open(path) as f:
        for line in f:
            words = line.split()
            if not words:
                continue
            if words[0] == "settings":
                settings = [float(w) for w in words[1:]]
            elif words[0] == "beat":
                beats.append([float(w) for w in words[1:]])
            elif words[0] == "value":
                values[words[1]] = float(words[2]) if len(words) > 2 else None
    return settings, np.array(beats), values


def share(part, whole):
    return None if whole == 0 else 100 * part / whole


def expected(settings, beats):
    threshold, segment, start, end, fmax, frequencies, kind = settings[:7]
    t, rr, delta = beats[:, 0], beats[:, 1], beats[:, 2]
    n = len(rr)
    rate = 1 / rr
    large = np.abs(delta) - threshold > 1e-9 * np.maximum(np.abs(delta), threshold)
    means = segment_means(rr, t, start, end, segment)
    ref = {
        "MeanRR": 1e3 * rr.mean(),
        "MedianRR": 1e3 * np.median(rr),
        "SDRR": 1e3 * rr.std(ddof=1),
        "CVRR": rr.std(ddof=1) / rr.mean(),
        "MeanRate": 60 * rate.mean(),
        "SDRate": 60 * rate.std(ddof=1),
        "SDSD": 1e3 * delta.std(ddof=1),
        "RMSSD": 1e3 * np.sqrt(np.mean(delta ** 2)),
        "pNNx": 100 * large.sum() / n,
        "SD1": 1e3 * np.sqrt(0.5) * delta.std(ddof=1),
        "SD2": 1e3 * np.sqrt(2 * rr.var(ddof=1) - 0.5 * delta.var(ddof=1)),
        "SDARR": 1e3 * (means.std(ddof=1) if len(means) > 1 else 0.0),
    }
    slope, intercept = np.polyfit(t, rr, 1)
    z = (rr - (slope * t + intercept)) * window(int(kind), t)
    df = fmax / frequencies
    omega = TWO_PI * np.arange(1, int(frequencies) + 1, dtype=float) * df
    power = 2 * lombscargle(t - (t[0] + t[-1]) / 2, z, omega) / n
    span = t[-1] - t[0]
    total = band_power(power, df, span, 0.0, fmax)
    vlf, lf, hf = (band_power(power, df, span, lo, hi)
                   for lo, hi in zip(settings[7::2], settings[8::2]))
    ref.update({
        "TotalPower": 1e6 * total, "VLFPower": 1e6 * vlf, "LFPower": 1e6 * lf,
        "HFPower": 1e6 * hf,
        "VLFPowerPercent": share(vlf, total), "LFPowerPercent": share(lf, total),
        "HFPowerPercent": share(hf, total),
        "LFPowerNU": share(lf, total - vlf), "HFPowerNU": share(hf, total - vlf),
        "LFHFRatio": None if hf == 0 else lf / hf,
    })
    return ref


def main():
    settings, beats, values = read(sys.argv[1])
    problems = []
    for name, want in expected(settings, beats).items():
        if name not in values:
            problems.append(f"{name}: not in the table")
            continue
        got = values[name]
        if want is None or got is None:
            if want is not got:
                problems.append(f"{name}: {got!r} against {want!r}")
        elif abs(got - want) > TOLERANCE * abs(want):
            problems.append(f"{name}: {got!r} against {want!r}")
    print(f"{len(beats)} beats, {len(values)} values: " + ("ok" if not problems else "FAILED"))
    for p in problems:
        print("   ", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
